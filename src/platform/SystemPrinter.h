#pragma once
#include "platform/Printer.h"

// The system's printers through Qt's print dialog, and PDF files through Qt's PDF writer.
class SystemPrinter : public Printer {
  public:
    bool print(const QTextDocument& document, const QString& title, QWidget* parent) override;
    bool exportPdf(const QTextDocument& document, const QString& file) override;
};
