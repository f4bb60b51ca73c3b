#include "platform/PrintForwarding.h"

#include "platform/PrintStyle.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QWidget>

#include <climits>
#include <memory>

namespace divisheet {

namespace {

// A paint engine that passes every drawing operation on to another painter under a
// fixed base transform, with pens and fonts made fit for paper on the way.
class PrintForwardingEngine : public QPaintEngine
{
public:
    // How the text that comes here is placed on the target.
    enum class TextPlacement {
        // At the position given: a picture's play-back has already placed it.
        AsGiven,
        // Where playing back a recording of it would put it (see drawTextItem).
        AsPlayedBack,
    };

    PrintForwardingEngine(QPainter *target, const QTransform &base, int dpi, TextPlacement placement)
        : QPaintEngine(AllFeatures), m_target(target), m_base(base), m_dpi(dpi), m_placement(placement)
    {
    }

    bool begin(QPaintDevice *) override
    {
        m_clipOffPending = false;
        m_target->save();
        m_target->setTransform(m_base);
        return true;
    }

    bool end() override
    {
        m_target->restore();
        return true;
    }

    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override;

    void drawRects(const QRectF *rects, int count) override
    {
        clipForDrawing();
        m_target->drawRects(rects, count);
    }

    void drawLines(const QLineF *lines, int count) override
    {
        clipForDrawing();
        m_target->drawLines(lines, count);
    }

    void drawEllipse(const QRectF &rect) override
    {
        clipForDrawing();
        m_target->drawEllipse(rect);
    }

    void drawPath(const QPainterPath &path) override
    {
        clipForDrawing();
        m_target->drawPath(path);
    }

    void drawPoints(const QPointF *points, int count) override
    {
        clipForDrawing();
        m_target->drawPoints(points, count);
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        clipForDrawing();
        if (mode == PolylineMode)
            m_target->drawPolyline(points, count);
        else
            m_target->drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }

    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override
    {
        clipForDrawing();
        m_target->drawPixmap(rect, pixmap, source);
    }

    void drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap, const QPointF &offset) override
    {
        clipForDrawing();
        m_target->drawTiledPixmap(rect, pixmap, offset);
    }

    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override
    {
        clipForDrawing();
        m_target->drawImage(rect, image, source, flags);
    }

    void drawTextItem(const QPointF &position, const QTextItem &item) override;

private:
    // Each widget's painting ends by taking its clip off, and the next one's mostly begins
    // by setting a new one; every clip costs the target a new graphics state. So taking a
    // clip off waits for the next drawing, and a new clip that replaces it makes it moot.
    void clipForDrawing()
    {
        if (m_clipOffPending) {
            m_clipOffPending = false;
            m_target->setClipRegion(QRegion(), Qt::NoClip);
        }
    }

    QPainter *m_target;
    QTransform m_base;
    int m_dpi;
    TextPlacement m_placement;
    bool m_clipOffPending = false;
};

void PrintForwardingEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags dirty = state.state();
    // The transform first: a clip given in the same update is in its coordinates.
    if (dirty & DirtyTransform)
        m_target->setTransform(state.transform() * m_base);
    if (dirty & DirtyPen)
        m_target->setPen(printPen(state.pen()));
    if (dirty & DirtyBrush)
        m_target->setBrush(state.brush());
    if (dirty & DirtyBrushOrigin)
        m_target->setBrushOrigin(state.brushOrigin());
    if (dirty & DirtyFont)
        m_target->setFont(printFont(state.font(), m_dpi));
    if (dirty & DirtyBackground)
        m_target->setBackground(state.backgroundBrush());
    if (dirty & DirtyBackgroundMode)
        m_target->setBackgroundMode(state.backgroundMode());
    if (dirty & DirtyClipRegion) {
        if (state.clipOperation() == Qt::NoClip) {
            m_clipOffPending = true;
        } else {
            if (state.clipOperation() == Qt::ReplaceClip)
                m_clipOffPending = false;
            clipForDrawing();
            m_target->setClipRegion(state.clipRegion(), state.clipOperation());
        }
    }
    if (dirty & DirtyClipPath) {
        clipForDrawing();
        m_target->setClipPath(state.clipPath(), state.clipOperation());
    }
    if (dirty & DirtyClipEnabled) {
        // Clipping switched on again with the clip off is nothing on the target either.
        if (!(m_clipOffPending && state.isClipEnabled()))
            clipForDrawing();
        m_target->setClipping(state.isClipEnabled());
    }
    if (dirty & DirtyHints) {
        // Only a change: every change of hints costs the target its brush again.
        const QPainter::RenderHints wanted = state.renderHints();
        const QPainter::RenderHints current = m_target->renderHints();
        if (wanted != current) {
            m_target->setRenderHints(current & ~wanted, false);
            m_target->setRenderHints(wanted, true);
        }
    }
    if (dirty & DirtyCompositionMode)
        m_target->setCompositionMode(state.compositionMode());
    if (dirty & DirtyOpacity)
        m_target->setOpacity(state.opacity());
}

void PrintForwardingEngine::drawTextItem(const QPointF &position, const QTextItem &item)
{
    // The item's font is the whole font its text was laid out in, though the font of a
    // rich text's item marks none of its properties as set: without saying so, the target
    // would fill them all in from its own default font (another face, a point size at the
    // printer's resolution).
    QFont font = item.font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    // QPainter draws underlines, overlines and strike-outs itself, as lines that come
    // through this engine too: the text is drawn without them.
    font.setUnderline(false);
    font.setOverline(false);
    font.setStrikeOut(false);
    QPointF at = position;
    clipForDrawing();
    if (m_placement == TextPlacement::AsPlayedBack) {
        // A recording plays a text back as a line whose top is the baseline less the
        // font's ascent in whole pixels, laid out again: its baseline moves by the
        // ascent's fraction (less than half a pixel). Printed pages have always had
        // their text there, and keep it.
        at.ry() += QFontMetricsF(font).ascent() - QFontMetrics(font).ascent();
    }
    // The target keeps this font afterwards: only text uses it, and every text sets its own.
    // (Saving and restoring the target's state around each text costs more than the text.)
    m_target->setFont(printFont(font, m_dpi));
    m_target->drawText(at, item.text());
}

// The surface that a recorded picture is played onto, or a widget rendered onto: as big
// as the surface it was recorded on (the widget) and of its resolution, so painting on it
// neither moves nor scales anything.
class PrintForwardingDevice : public QPaintDevice
{
public:
    PrintForwardingDevice(QPainter *target, const QTransform &base, QSize size, int dpi,
                          PrintForwardingEngine::TextPlacement placement)
        : m_engine(std::make_unique<PrintForwardingEngine>(target, base, dpi, placement)), m_size(size), m_dpi(dpi)
    {
    }

    QPaintEngine *paintEngine() const override { return m_engine.get(); }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<PrintForwardingEngine> m_engine;
    QSize m_size;
    int m_dpi;
};

int PrintForwardingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace

void playForPrinting(const QPicture &picture, QSize size, QPainter *target, const QTransform &transform)
{
    PrintForwardingDevice paper(target, transform, size, picture.logicalDpiY(),
                                PrintForwardingEngine::TextPlacement::AsGiven);
    QPainter player(&paper);
    QPicture shared = picture; // play() is not const; the copy shares the recording
    shared.play(&player);
}

void renderForPrinting(QWidget *widget, QPainter *target, const QTransform &transform)
{
    PrintForwardingDevice paper(target, transform, widget->size(), widget->logicalDpiY(),
                                PrintForwardingEngine::TextPlacement::AsPlayedBack);
    QPainter painter(&paper);
    widget->render(&painter, QPoint(), QRegion(widget->rect()),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

} // namespace divisheet
