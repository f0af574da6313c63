#include "platform/pictures/vector_drawing.h"
#include "platform/widgets/image_view.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QColor kFace(200, 40, 40);  // the parent panel's background
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 160, 0);

// A picture of `size` in `background` with `mark` filling `markArea`.
QImage markedPicture(const QSize& size, const QColor& background, const QRect& markArea,
                     const QColor& mark)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter(&image).fillRect(markArea, mark);
    return image;
}

// Fills the left half of its target, leaves the rest untouched.
class LeftHalfDrawing : public VectorDrawing {
public:
    QSize size() const override { return {10, 10}; }
    void render(QPainter& painter, const QRectF& target) const override
    {
        painter.fillRect(QRectF(target.topLeft(), QSizeF(target.width() / 2, target.height())),
                         kGreen);
    }
};

bool closeTo(const QColor& actual, const QColor& expected)
{
    return qAbs(actual.red() - expected.red()) <= 2 && qAbs(actual.green() - expected.green()) <= 2
        && qAbs(actual.blue() - expected.blue()) <= 2;
}

}  // namespace

class ImageViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholePictureShowsAsItIs_data();
    void wholePictureShowsAsItIs();
    void backgroundColourShowsThePanelFace();
    void pictureIsStretchedWithoutKeepingItsShape();
    void overlayShowsTheViewBelow();
    void metafileIsDrawnTransparent();
    void clearedViewShowsOnlyTheFace();
    void largePictureRepaintsFast();
    void largePictureKeepsItsColourKey();
    void leftDoubleClickIsReported();

private:
    QColor shownAt(const QPoint& place) const;
    ImageView* addView(ColourKey key = ColourKey::None);
    // Puts a keyed view over the plain one and works with it from then on.
    void useKeyedView() { m_view = addView(ColourKey::BottomLeft); }

    std::unique_ptr<QWidget> m_panel;
    ImageView* m_view = nullptr;
};

void ImageViewTest::init()
{
    m_panel = std::make_unique<QWidget>();
    m_panel->resize(200, 100);
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, kFace);
    m_panel->setPalette(palette);
    m_panel->setAutoFillBackground(true);
    m_view = addView();
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void ImageViewTest::cleanup()
{
    m_panel.reset();
    m_view = nullptr;
}

ImageView* ImageViewTest::addView(ColourKey key)
{
    auto* view = new ImageView(m_panel.get(), key);
    view->setGeometry(m_panel->rect());
    view->show();
    return view;
}

QColor ImageViewTest::shownAt(const QPoint& place) const
{
    return m_panel->grab().toImage().pixelColor(place);
}

// A view that keys nothing shows every pixel of a picture, whatever its
// corner, and lets the face through only where the picture's alpha does.
void ImageViewTest::wholePictureShowsAsItIs_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QColor>("shown");

    const QImage red = markedPicture({10, 10}, Qt::red, {}, Qt::red);
    QTest::newRow("one colour, centre") << red << QPoint(100, 50) << QColor(Qt::red);
    QTest::newRow("one colour, bottom-left") << red << QPoint(2, 97) << QColor(Qt::red);
    const QImage cover = markedPicture({10, 10}, Qt::black, {3, 3, 4, 4}, Qt::white);
    QTest::newRow("black background") << cover << QPoint(10, 90) << QColor(Qt::black);
    QTest::newRow("on the black background") << cover << QPoint(100, 50) << QColor(Qt::white);
    QImage icon(10, 10, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter(&icon).fillRect(5, 0, 5, 10, kBlue);
    QTest::newRow("alpha, transparent half") << icon << QPoint(40, 50) << kFace;
    QTest::newRow("alpha, opaque half") << icon << QPoint(160, 50) << kBlue;
}

void ImageViewTest::wholePictureShowsAsItIs()
{
    QFETCH(QImage, picture);
    QFETCH(QPoint, place);
    QFETCH(QColor, shown);
    m_view->setPicture(Picture::fromImage(picture));
    QVERIFY2(closeTo(shownAt(place), shown), qPrintable(shownAt(place).name()));
}

// White bottom-left pixel: the white parts are not drawn.
void ImageViewTest::backgroundColourShowsThePanelFace()
{
    useKeyedView();
    m_view->setPicture(Picture::fromImage(markedPicture({10, 10}, Qt::white, {3, 3, 4, 4}, kBlue)));
    QVERIFY(m_view->hasPicture());
    QVERIFY(closeTo(shownAt({100, 50}), kBlue));
    QVERIFY(closeTo(shownAt({10, 10}), kFace));
    QVERIFY(closeTo(shownAt({190, 90}), kFace));
}

// A square picture with its top-right quarter marked, shown 200 x 100.
void ImageViewTest::pictureIsStretchedWithoutKeepingItsShape()
{
    useKeyedView();
    m_view->setPicture(Picture::fromImage(markedPicture({10, 10}, Qt::white, {5, 0, 5, 5}, kBlue)));
    QVERIFY(closeTo(shownAt({150, 25}), kBlue));
    QVERIFY(closeTo(shownAt({195, 5}), kBlue));
    QVERIFY(closeTo(shownAt({50, 25}), kFace));
    QVERIFY(closeTo(shownAt({150, 75}), kFace));

    m_view->resize(100, 50);
    QVERIFY(closeTo(shownAt({75, 12}), kBlue));
    QVERIFY(closeTo(shownAt({150, 25}), kFace));
}

// The lower view is green with a black bottom-left corner; the overlay is a
// white picture with a blue centre.
void ImageViewTest::overlayShowsTheViewBelow()
{
    m_view->setPicture(
        Picture::fromImage(markedPicture({10, 10}, kGreen, {0, 9, 1, 1}, Qt::black)));
    ImageView* overlay = addView(ColourKey::BottomLeft);
    overlay->setPicture(
        Picture::fromImage(markedPicture({10, 10}, Qt::white, {4, 4, 2, 2}, kBlue)));
    QVERIFY(closeTo(shownAt({100, 50}), kBlue));
    QVERIFY(closeTo(shownAt({20, 20}), kGreen));
    QVERIFY(closeTo(shownAt({180, 80}), kGreen));
}

void ImageViewTest::metafileIsDrawnTransparent()
{
    m_view->setPicture(Picture::fromDrawing(std::make_shared<LeftHalfDrawing>()));
    QVERIFY(closeTo(shownAt({50, 50}), kGreen));
    QVERIFY(closeTo(shownAt({150, 50}), kFace));
}

void ImageViewTest::clearedViewShowsOnlyTheFace()
{
    useKeyedView();
    m_view->setPicture(
        Picture::fromImage(markedPicture({10, 10}, Qt::white, {0, 0, 10, 5}, kBlue)));
    QVERIFY(closeTo(shownAt({100, 20}), kBlue));
    m_view->clear();
    QVERIFY(!m_view->hasPicture());
    QVERIFY(m_view->picture().isEmpty());
    QVERIFY(closeTo(shownAt({100, 20}), kFace));
}

// Painting from a copy made at the view's size, not from 24 megapixels:
// scaling the whole picture at every paint would take seconds here. The
// bound is loose so that sanitizer builds on a busy machine pass; bench/
// measures the real figure.
void ImageViewTest::largePictureRepaintsFast()
{
    m_view->setPicture(
        Picture::fromImage(markedPicture({6000, 4000}, Qt::white, {3000, 0, 3000, 2000}, kBlue)));
    QVERIFY(closeTo(shownAt({150, 25}), kBlue));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 200; ++i)
        m_view->repaint();
    QVERIFY2(timer.elapsed() < 4000, qPrintable(QString::number(timer.elapsed())));
}

// Large pictures are sampled down before smoothing; the key is still the
// picture's own bottom-left pixel, a lone white one here.
void ImageViewTest::largePictureKeepsItsColourKey()
{
    useKeyedView();
    QImage picture = markedPicture({6000, 4000}, kBlue, {2000, 1000, 2000, 2000}, Qt::white);
    picture.setPixelColor(0, 3999, Qt::white);
    m_view->setPicture(Picture::fromImage(picture));
    QVERIFY(closeTo(shownAt({100, 50}), kFace));
    QVERIFY(closeTo(shownAt({20, 20}), kBlue));
    m_view->resize(100, 50);
    QVERIFY(closeTo(shownAt({50, 25}), kFace));
    QVERIFY(closeTo(shownAt({10, 40}), kBlue));
}

void ImageViewTest::leftDoubleClickIsReported()
{
    QSignalSpy doubleClicks(m_view, &ImageView::doubleClicked);
    QTest::mouseDClick(m_view, Qt::RightButton);
    QCOMPARE(doubleClicks.count(), 0);
    QTest::mouseDClick(m_view, Qt::LeftButton);
    QCOMPARE(doubleClicks.count(), 1);
}

QTEST_MAIN(ImageViewTest)
#include "tst_image_view.moc"
