// The devices chosen in the desk: the dialog and what it stores, a missing device told, and the pre-listen,
// whose titles (from the editor or a button's menu) never reach the hall's output while its title plays on.
#include "app/OutputDialog.h"
#include "audio/DeskOutputs.h"
#include "console/NoticeLine.h"
#include "support/Desk.h"
#include "support/EngineRig.h"
#include "support/StandInOutput.h"
#include "support/TestAudioFiles.h"

#include <QComboBox>
#include <QMenu>

namespace {

class Outputs : public Desk {
  protected:
    void SetUp() override {
        fx.services.outputs = &outputs;
        start({{"7 Meter", {"01Halle.wav", "02Editor.wav"}}});
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Halle.wav"),
                   EngineRig::probeWav(30));
        ASSERT_TRUE(TestAudioFiles::writeWav(path("7 Meter", QStringLiteral("02Editor.wav")), 48000, 10));
    }
    // The dialog from the menu, the two boxes set to these entries, and OK.
    OutputDialog* choose(const QString& hall, const QString& prelisten) {
        Operator::menu(main.get(), QStringLiteral("mnuTonausgabe"));
        auto* dialog = main->findChild<OutputDialog*>();
        if (!dialog)
            return nullptr;
        auto* halle = dialog->findChild<QComboBox*>(QStringLiteral("Halle"));
        auto* vor = dialog->findChild<QComboBox*>(QStringLiteral("Vorhoeren"));
        halle->setCurrentIndex(halle->findText(hall));
        vor->setCurrentIndex(vor->findText(prelisten));
        dialog->accept();
        return dialog;
    }
    // Frames of the headphones' output, or none while nothing of it plays.
    std::vector<float> headphones(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2, 0.0f);
        if (!phones || !phones->pull(out.data(), frames))
            out.clear();
        return out;
    }

    EngineRig rig{fx};
    StandInOutput* phones = nullptr;
    std::atomic<bool> phonesThere{true};
    DeskOutputs outputs{rig.engine,
                        fx.media,
                        rig.media,
                        fx.waveOut,
                        fx.clock,
                        [this](const std::string&) {
                            auto card = std::make_unique<StandInOutput>();
                            card->preferredThere = phonesThere.load();
                            phones = card.get();
                            return card;
                        },
                        [] { return QStringList{QStringLiteral("Halle USB"), QStringLiteral("Kopfhörer")}; }};
};

TEST_F(Outputs, TheDialogStoresTheDevicesByNameAndRefusesOneForBoth) {
    OutputDialog* same = choose(QStringLiteral("Kopfhörer"), QStringLiteral("Kopfhörer"));
    ASSERT_TRUE(same);
    EXPECT_EQ(text(same, "Gesagt"), QStringLiteral("Halle und Vorhören brauchen verschiedene Geräte."));
    EXPECT_TRUE(fx.readIni(QStringLiteral("Tonausgabe"), QStringLiteral("Halle")).isEmpty());
    same->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    choose(QStringLiteral("Halle USB"), QStringLiteral("Kopfhörer"));
    EXPECT_EQ(fx.readIni(QStringLiteral("Tonausgabe"), QStringLiteral("Halle")), QStringLiteral("Halle USB"));
    EXPECT_EQ(fx.readIni(QStringLiteral("Tonausgabe"), QStringLiteral("Vorhören")), QStringLiteral("Kopfhörer"));
    EXPECT_EQ(outputs.prelisten(), QStringLiteral("Kopfhörer"));
    // Headphones not plugged in: told on the notice line, and silent rather than on the default device.
    phonesThere = false;
    choose(QStringLiteral("Halle USB"), QStringLiteral("aus"));
    EXPECT_EQ(outputs.prelistenMedia(), nullptr);
    choose(QStringLiteral("Halle USB"), QStringLiteral("Kopfhörer"));
    EXPECT_TRUE(headphones(256).empty());
    EXPECT_EQ(main->notice().notices().filter(QStringLiteral("zum Vorhören fehlt")).size(), 1);
}

TEST_F(Outputs, WithHeadphonesTheEditorAndVorhoerenNeverReachTheHall) {
    choose(OutputDialog::SystemDefault, QStringLiteral("Kopfhörer"));
    ASSERT_TRUE(phones);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !headphones(256).empty(); }, 3000));
    press(0);
    rig.render(4800);
    ASSERT_TRUE(openEditor());
    press(1, editor); // the editor's title
    // The menu of the hall's second button: "Vorhören" after the key items.
    QMenu* menu = main->buttonMenu(1);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.last()->objectName(), QStringLiteral("VorhoerenBeenden"));
    menu->findChild<QAction*>(QStringLiteral("Vorhoeren"))->trigger();
    const std::size_t from = rig.left.size();
    rig.render(48000);
    for (std::size_t i = from; i < rig.left.size(); ++i)
        ASSERT_EQ(rig.gainAt(i), 1.0) << "the hall heard something else at frame " << i;
    EXPECT_TRUE(rig.media.status(QStringLiteral("MyAlias")).playing);
    float loudest = 0;
    for (int round = 0; round < 40 && loudest < 0.05f; ++round)
        for (float s : headphones(1024))
            loudest = std::max(loudest, std::abs(s));
    EXPECT_GT(loudest, 0.05f) << "the headphones play the title";
    EXPECT_TRUE(fx.media.takeCommands().filter(QStringLiteral("02Editor")).isEmpty())
        << "nothing of the editor went to the hall's commands";
}

} // namespace
