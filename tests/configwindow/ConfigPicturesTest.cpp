#include <QDir>
#include <QImage>
#include <QInputMethodEvent>
#include <QPixmap>

#include "support/ConfigFixture.h"
#include "support/StateFeed.h"

namespace {

// Pictures of the five pages at the station's screen size, as a reader of
// the documentation should see them: values from an instrument at its
// defaults, one written and read back, one refused entry and one failed
// write on the output page.
class ConfigPictures : public ConfigFixture {
protected:
    void fillDefaults()
    {
        const std::pair<int, float> defaults[] = {
            {1, 0}, {2, 1}, {3, 5000}, {4, 0}, {5, 0}, {6, 1}, {7, 0}, {9, 1}, {10, 0}, {11, 0}, {12, 20},
            {13, 120}, {14, 30}, {15, 2}, {16, 1}, {17, 100}, {18, 0}, {19, 0}, {20, 0}, {22, 1}, {23, 2},
            {24, 6}, {25, 1}, {26, 1}, {27, 0}, {28, 0}, {29, 0}, {30, 0}, {31, 1000}, {32, 0}, {33, 1},
            {34, 600}, {35, 0}, {36, 0}, {37, 0},
        };
        for (const auto& [n, value] : defaults)
            StateFeed::setParameter(state, n, value);
    }
};

TEST_F(ConfigPictures, eachPageRendersAtTheStationsScreenSize)
{
    fillDefaults();
    open();
    window->resize(1280, 800);
    window->showCurrentValues();
    bus.scriptWriteResults({false, false});
    typeAndLeave(17, QStringLiteral("95"));
    writes();
    typeAndLeave(13, QStringLiteral("240"));
    writes();
    // The poll reads the written value back, in a cycle begun after the write.
    for (int cycle = 1; cycle <= 2; ++cycle) {
        clock.advanceMs(1000);
        StateFeed::setParameter(state, 13, 240, clock.now());
    }
    window->showCurrentValues();
    // Chinese comes through the input method, not as key presses.
    QWidget* box = focusEntry(12);
    window->valueEdit(12)->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("二十"));
    QApplication::sendEvent(box, &typed);
    QTest::keyClick(box, Qt::Key_Tab);
    const QDir out(QStringLiteral(TQ5800_CONFIG_PICTURES_DIR));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    const char* names[] = {"config-input", "config-output", "config-alarms", "config-communication",
                           "config-retransmission"};
    for (int page = 0; page < ParameterCatalogue::kPageCount; ++page) {
        window->pageTabs()->setCurrentIndex(page);
        QApplication::sendPostedEvents();  // lays the page out
        const QImage picture = window->grab().toImage();
        ASSERT_EQ(picture.size(), QSize(1280, 800));
        // Something was drawn: the cyan current-value fields at least.
        int cyan = 0;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2)
                cyan += picture.pixelColor(x, y) == QColor(192, 255, 255) ? 1 : 0;
        EXPECT_GT(cyan, 500) << names[page];
        EXPECT_TRUE(picture.save(out.filePath(QString::fromLatin1(names[page]) + QStringLiteral(".png"))));
    }
}

} // namespace
