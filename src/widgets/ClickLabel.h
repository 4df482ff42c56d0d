#pragma once
#include <QLabel>
#include <cstdint>

// A label that can be clicked and that has a back colour and a border like the classic label control.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(const QString& text = QString(), QWidget* parent = nullptr);
    void setBackColor(std::int32_t vbColor);
    std::int32_t backColor() const { return m_backColor; }
    void setForeColor(std::int32_t vbColor);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void applyPalette();
    std::int32_t m_backColor = 0x00C0C0C0;
    std::int32_t m_foreColor = 0;
    bool m_transparent = true;
};
