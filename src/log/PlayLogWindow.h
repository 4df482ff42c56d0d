#pragma once
#include "log/PlayLog.h"

#include <QWidget>

class Printer;
class QLabel;
class QTextBrowser;

// "Datei" > "Protokoll …": the day's list of what sounded in the hall, as the log file has it, printable and
// saved as a PDF beside the list (Protokoll/JJJJ-MM-TT.pdf) for the match report. UI thread.
class PlayLogWindow : public QWidget {
    Q_OBJECT
  public:
    PlayLogWindow(PlayLog& log, const QString& programDir, Printer* printer);

    // The day's page as HTML, for the window, the printer and the PDF.
    static QString html(const std::vector<PlayLog::Entry>& entries, const QDate& day);
    // Reads the day's file again, after everything told so far is written.
    void refresh();
    // Writes the PDF; its path, or empty when it could not be written (the window says why).
    QString exportPdf();

  private:
    PlayLog& m_log;
    QString m_dir;
    Printer* m_printer;
    QDate m_day;
    QString m_html; // the day's page as last read
    QTextBrowser* m_page = nullptr;
    QLabel* m_told = nullptr;
};
