#include "platform/desktop/program_icons.h"
#include "support/test_env.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>

// The window icons are pixel arrays made from the SVG files at build time;
// they must look exactly as the SVG files drawn by Qt's icon engine.
class ProgramIconsTest : public QObject {
    Q_OBJECT
private slots:
    void iconsMatchTheirSvgFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        for (const char* name : {"back", "cd", "clear", "close", "double", "dvd", "front", "paste1",
                                 "paste2", "print", "settings", "swap", "trash", "vhs"}) {
            for (int size : {16, 32})
                QTest::addRow("%s-%d", name, size) << QString::fromLatin1(name) << size;
        }
        for (int size : {16, 32, 64, 128})
            QTest::addRow("sleevix-%d", size) << QStringLiteral("sleevix") << size;
    }

    void iconsMatchTheirSvgFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const QIcon embedded = programIcon(name.toLatin1().constData());
        QVERIFY(embedded.availableSizes().contains(QSize(size, size)));
        const QImage drawn = embedded.pixmap(size, size)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QIcon svg(QStringLiteral(":/icons/%1.svg").arg(name));
        const QImage expected
            = svg.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(drawn.size(), QSize(size, size));
        QCOMPARE(drawn, expected);
    }

    void disabledButtonsAreGreyedAsBefore()
    {
        const QIcon embedded = programIcon("print");
        const QIcon svg(QStringLiteral(":/icons/print.svg"));
        QCOMPARE(embedded.pixmap(16, 16, QIcon::Disabled)
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 svg.pixmap(16, 16, QIcon::Disabled)
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void unknownNameGivesNoIcon() { QVERIFY(programIcon("no-such-icon").isNull()); }
};

SLEEVIX_TEST_MAIN(ProgramIconsTest)
#include "tst_program_icons.moc"
