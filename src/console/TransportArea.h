#pragma once
#include <cstdint>
#include <initializer_list>

class QWidget;
class QProgressBar;
class VbButton;
class ShapeRect;

// The transport controls below the status line: Stop cmd2(0), Pause cmd5, Resume cmd6, fade-out Command2
// with its bar ProgressBar1, announcement cmdAnsage with ProgressBar2, and the frame Shape2 around them.
class TransportArea {
  public:
    static constexpr std::int32_t LightGrey = 0x00E0E0E0;
    static constexpr std::int32_t Green = 0x0000FF00;

    explicit TransportArea(QWidget* window);

    VbButton* cmd2 = nullptr; // element 0 of a one-element array
    VbButton* cmd5 = nullptr;
    VbButton* cmd6 = nullptr;
    VbButton* Command2 = nullptr;
    VbButton* cmdAnsage = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    ShapeRect* Shape2 = nullptr;

    // Every control of the area hidden (Stop, and the fade once it has run down).
    void hideAll();
    // The look at a title's start: Stop, Pause and the frame shown, Resume hidden; the fade-out and
    // announcement buttons with their bars shown (main console) or hidden (editor); the announcement reset.
    void showStarted(bool fadeControls);
    // Paused: Resume in place of Pause; fade-out, announcement and both bars hidden.
    void showPaused();
    // Resumed: Pause in place of Resume.
    void showResumed();
    // The fade-out and announcement buttons and their bars shown again (main console after a pause).
    void showFadeControls();
    // Announcement button back to "Ansage" at normal level, both bars full.
    void resetAnnouncement();
};
