#include "library/Categories.h"

namespace Categories {

const std::array<Category, 8>& all() {
    static const std::array<Category, 8> table{{
        {"7 Meter", 0, 0, 15, 15, 0},
        {"Torwart", 1, 15, 8, 8, 3},
        {"Team Timeout", 2, 31, 5, 5, 1},
        {"Auszeit", 3, 53, 8, 8, 4},
        {"Tormusik", 4, 61, 65, 65, 2},
        {"Einlaufen", 5, 126, 1, 0, -1},
        {"Wischen", 6, 30, 1, 0, -1},
        {"2 Minuten", 7, 127, 5, 5, 5},
    }};
    return table;
}

const std::array<int, 6>& fillOrder() {
    static const std::array<int, 6> order{0, 1, 2, 3, 4, 7};
    return order;
}

const Category* forButton(int index) {
    for (const Category& c : all())
        if (index >= c.firstButton && index < c.firstButton + c.runSize)
            return &c;
    return nullptr;
}

QString limitMessagePart(const Category& c) {
    return QStringLiteral(" befinden sich mehr als %1 Dateien !").arg(c.limit);
}

} // namespace Categories
