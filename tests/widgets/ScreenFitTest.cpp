// The screen fit: controls, frames and fonts scaled from the reference screen to the real one.
#include "widgets/ScreenFit.h"
#include "widgets/Twips.h"

#include <QPushButton>
#include <gtest/gtest.h>

TEST(ScreenFit, ScalesControlsFontsAndFramesAlikeAndDropsBold) {
    QWidget window;
    Twips::place(&window, 0, 0, 18960, 10875);
    auto* button = new QPushButton(&window);
    Twips::place(button, 5880, 720, 2175, 495);
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(9.75);
    f.setBold(true);
    button->setFont(f);
    auto* frame = new QWidget(&window);
    Twips::place(frame, 4200, 1560, 8775, 6975);
    auto* inFrame = new QPushButton(frame);
    Twips::place(inFrame, 1560, 5520, 5655, 1095);

    FitToScreen(&window, true, true, {15360, 11520}); // 1024 x 768 pixels: 0.8 and 0.96
    const QRectF r = Twips::rect(button);
    EXPECT_NEAR(r.left(), 4704, 0.01);
    EXPECT_NEAR(r.top(), 691.2, 0.01);
    EXPECT_NEAR(r.width(), 1740, 0.01);
    EXPECT_NEAR(r.height(), 475.2, 0.01);
    EXPECT_EQ(button->geometry(), QRect(314, 46, 116, 32)); // twips to pixels at 15 a pixel
    EXPECT_NEAR(button->font().pointSizeF(), 9.36, 0.01);
    EXPECT_FALSE(button->font().bold());
    // The frame and what lies in it move by the same factors, so it keeps its place in the frame.
    EXPECT_NEAR(Twips::rect(inFrame).left(), 1560 * 0.8, 0.01);
    EXPECT_NEAR(Twips::rect(frame).left(), 4200 * 0.8, 0.01);
    EXPECT_NEAR(Twips::rect(&window).width(), 18960 * 0.8, 0.01);
}
