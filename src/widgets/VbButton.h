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
    // Colour of the caption text; an invalid colour is the usual black.
    void setCaptionColor(const QColor& color);
    QColor captionColor() const { return m_captionColor; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    std::int32_t m_backColor;
    QColor m_captionColor;
};
