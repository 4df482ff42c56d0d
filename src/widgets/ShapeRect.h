#pragma once
#include <QWidget>
#include <cstdint>

// A rectangle drawn behind other controls: a border of given width and colour, transparent or filled
// inside. Mouse clicks pass through to what lies under it.
class ShapeRect : public QWidget {
    Q_OBJECT
  public:
    ShapeRect(int borderWidth, std::int32_t borderColor, QWidget* parent = nullptr);
    void setFill(std::int32_t vbColor); // filled inside instead of transparent

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_borderWidth;
    std::int32_t m_borderColor;
    bool m_filled = false;
    std::int32_t m_fill = 0;
};
