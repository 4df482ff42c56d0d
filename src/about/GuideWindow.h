#pragma once
#include <QTextBrowser>

// The operator's guide in a window of the desk (F1), as the program carries it: it needs no file beside the
// program and no viewer on the machine, and it is always the guide of this version. Not modal: the desk plays
// on while it is read. UI thread.
class GuideWindow : public QTextBrowser {
    Q_OBJECT
  public:
    explicit GuideWindow(QWidget* parent = nullptr);

    // The guide's text, in Markdown.
    static QString markdown();
};
