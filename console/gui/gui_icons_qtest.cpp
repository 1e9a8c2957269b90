// Every image of the pages' shared list and the application have a drawing that renders.

#include <QtCore/QFile>
#include <QtGui/QImage>
#include <QtTest/QTest>

#include "console/gui/gui_icons.h"
#include "framework/sw/default_icons.h"

namespace {

// Pixels drawn (not transparent) in the icon at 16x16.
int paintedPixels(const QIcon& icon) {
    const QImage image = icon.pixmap(16, 16).toImage();
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return painted;
}

}  // namespace

class GuiIconsTest : public QObject {
    Q_OBJECT
private slots:
    void everyListImageIsDrawn_data();
    void everyListImageIsDrawn();
    void applicationIconIsDrawn();
    void outsideTheListIsNoIcon();
    void portStatesLookDifferent();
};

void GuiIconsTest::everyListImageIsDrawn_data() {
    QTest::addColumn<int>("image");
    for (int image = 0; image < sw::kDefaultIconCount; ++image) {
        QTest::newRow(sw::defaultIconName(image)) << image;
    }
}

void GuiIconsTest::everyListImageIsDrawn() {
    QFETCH(int, image);
    const QIcon icon = gui::defaultIcon(image);
    QVERIFY2(QFile::exists(gui::iconPath(sw::defaultIconName(image))), "no drawing built in");
    QVERIFY(!icon.isNull());
    // Something recognisable: neither empty nor a filled square.
    const int painted = paintedPixels(icon);
    QVERIFY2(painted > 30 && painted < 256, qPrintable(QString::number(painted)));
}

void GuiIconsTest::applicationIconIsDrawn() {
    QVERIFY(paintedPixels(gui::applicationIcon()) > 100);
    QVERIFY(gui::applicationIcon().availableSizes().contains(QSize(32, 32)));
}

void GuiIconsTest::outsideTheListIsNoIcon() {
    QVERIFY(gui::defaultIcon(-1).isNull());
    QVERIFY(gui::defaultIcon(sw::kDefaultIconCount).isNull());
}

void GuiIconsTest::portStatesLookDifferent() {
    // An operator tells a port's state by its colour alone.
    const auto image = [](int index) { return gui::defaultIcon(index).pixmap(16, 16).toImage(); };
    QVERIFY(image(sw::kIconPortEnabled) != image(sw::kIconPortNotEnabled));
    QVERIFY(image(sw::kIconVirtualPortUp) != image(sw::kIconVirtualPortDown));
}

QTEST_MAIN(GuiIconsTest)
#include "gui_icons_qtest.moc"
