#pragma once
#include <QString>

class QTextDocument;
class QWidget;

// Paper and PDF: a document printed through the system's print dialog, or written as a PDF file. A test
// records the documents instead.
class Printer {
  public:
    virtual ~Printer() = default;
    // Shows the print dialog over parent and prints when the operator confirms; false when nothing was
    // printed.
    virtual bool print(const QTextDocument& document, const QString& title, QWidget* parent) = 0;
    // Writes the document as a PDF file (A4); false when it could not be written.
    virtual bool exportPdf(const QTextDocument& document, const QString& file) = 0;
};
