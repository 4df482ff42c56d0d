#pragma once
#include <QColor>
#include <QPushButton>
#include <cstdint>

// A command button in the graphical style: its back colour shows, its caption keeps the access-key
// ampersand (A&B shows A with an underlined B). Painting is done here, cheaply, because a board load
// recolours over a hundred of them. Its access key clicks at once, as a mouse click does.
class VbButton : public QPushButton {
    Q_OBJECT
  public:
    explicit VbButton(QWidget* parent = nullptr);

    void setBackColor(std::int32_t vbColor);
    std::int32_t backColor() const { return m_backColor; }
    // Caption as stored, with its ampersands; text() holds the same.
    void setCaption(const QString& caption);
    QString caption() const { return text(); }
    // A button whose title cannot play (Fault) or whose folder holds no title (Empty) says so before anyone
    // presses it; its caption and face colour stay as they are.
    enum class Mark { None, Fault, Empty };
    void setMark(Mark mark);
    Mark mark() const { return m_mark; }
    // A short text in the top right corner (the key that presses the button); the caption stays as it is.
    void setCornerText(const QString& text);
    QString cornerText() const { return m_corner; }
    // The colour the caption is drawn in now: a fault mark in dark red, or whatever reads best on the face
    // when dark red would not (at least 4.5:1); an empty one greyed; black otherwise.
    QColor captionColorShown() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    std::int32_t m_backColor;
    Mark m_mark = Mark::None;
    QString m_corner;
};
