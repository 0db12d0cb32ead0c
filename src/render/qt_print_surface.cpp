#include "render/qt_print_surface.h"

#include <hb-ot.h>
#include <hb.h>

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <cmath>
#include <map>

#include "core/printing/print_text.h"
#include "render/bgr_color.h"
#include "render/font_mapping.h"

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;
// A draw width of one pixel is half a point: thin, but it stays visible on paper.
constexpr double kTwipsPerPenPixel = 10;

QPageSize pageSizeFor(Paper paper) {
    return QPageSize(paper == Paper::B4 ? QPageSize::JisB4 : QPageSize::A4);
}

// HarfBuzz is asked only which glyph a character takes in vertical writing: it gets the
// tables that choose glyphs and their advances, never the outlines (glyf, CFF), which it would
// read for positions nobody uses and which weigh megabytes in the IPA faces.
bool tableForGlyphChoice(hb_tag_t tag) {
    switch (tag) {
    case HB_TAG('c', 'm', 'a', 'p'):
    case HB_TAG('G', 'S', 'U', 'B'):
    case HB_TAG('G', 'D', 'E', 'F'):
    case HB_TAG('h', 'e', 'a', 'd'):
    case HB_TAG('m', 'a', 'x', 'p'):
    case HB_TAG('h', 'h', 'e', 'a'):
    case HB_TAG('h', 'm', 't', 'x'):
    case HB_TAG('v', 'h', 'e', 'a'):
    case HB_TAG('v', 'm', 't', 'x'):
    case HB_TAG('O', 'S', '/', '2'): return true;
    default: return false;
    }
}

hb_blob_t* referenceTable(hb_face_t*, hb_tag_t tag, void* userData) {
    if (!tableForGlyphChoice(tag)) return nullptr;
    const auto* raw = static_cast<const QRawFont*>(userData);
    const char name[5] = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16),
                          static_cast<char>(tag >> 8), static_cast<char>(tag), 0};
    auto* data = new QByteArray(raw->fontTable(name));
    if (data->isEmpty()) {
        delete data;
        return nullptr;
    }
    return hb_blob_create(data->constData(), static_cast<unsigned>(data->size()), HB_MEMORY_MODE_READONLY,
                          data, [](void* p) { delete static_cast<QByteArray*>(p); });
}

}  // namespace

// One family in one style: its raw font for drawing, a HarfBuzz face over the same tables
// for the vertical forms, and the glyphs found so far.
struct QtPrintSurface::FaceCache {
    QString family;
    QRawFont raw;               // at a pixel size of one em = 1000 units; scaled when drawing
    double unitsAscent = 0.88;  // em fractions
    double unitsDescent = 0.12;
    hb_face_t* hbFace = nullptr;
    hb_font_t* hbFont = nullptr;
    QHash<char32_t, quint32> vertical, horizontal;
    QHash<quint32, double> advance;  // em fractions
    std::map<double, QRawFont> sized;

    ~FaceCache() {
        if (hbFont) hb_font_destroy(hbFont);
        if (hbFace) hb_face_destroy(hbFace);
    }

    const QRawFont& at(double pixels) {
        auto it = sized.find(pixels);
        if (it == sized.end()) {
            QRawFont r = raw;
            r.setPixelSize(pixels);
            it = sized.emplace(pixels, r).first;
        }
        return it->second;
    }

    quint32 glyph(char32_t c, bool vert) {
        auto& cache = vert ? vertical : horizontal;
        auto it = cache.constFind(c);
        if (it != cache.constEnd()) return *it;
        quint32 g = 0;
        if (hbFont) {
            hb_buffer_t* buf = hb_buffer_create();
            const uint32_t cp = c;
            hb_buffer_add_utf32(buf, &cp, 1, 0, 1);
            hb_buffer_guess_segment_properties(buf);
            const hb_script_t script = hb_buffer_get_script(buf);
            if (script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN)
                hb_buffer_set_script(buf, HB_SCRIPT_HIRAGANA);
            hb_buffer_set_language(buf, hb_language_from_string("ja", -1));
            hb_buffer_set_direction(buf, vert ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
            hb_feature_t features[2];
            hb_feature_from_string("vert", -1, &features[0]);
            hb_feature_from_string("vrt2", -1, &features[1]);
            hb_shape(hbFont, buf, features, vert ? 2 : 0);
            unsigned n = 0;
            const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buf, &n);
            if (n == 1) g = info[0].codepoint;
            hb_buffer_destroy(buf);
        }
        if (g == 0) {
            const QList<quint32> ids = raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
            if (ids.size() == 1) g = ids[0];
        }
        cache.insert(c, g);
        return g;
    }

    double advanceEm(quint32 g) {
        auto it = advance.constFind(g);
        if (it != advance.constEnd()) return *it;
        const QList<QPointF> a = raw.advancesForGlyphIndexes(QList<quint32>{g});
        const double em = a.isEmpty() ? 1.0 : a[0].x() / raw.pixelSize();
        advance.insert(g, em);
        return em;
    }
};

namespace {

std::unique_ptr<QtPrintSurface::FaceCache> makeFace(const QString& family, bool bold, bool italic) {
    auto fc = std::make_unique<QtPrintSurface::FaceCache>();
    QFont f(family);
    f.setPixelSize(1000);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    fc->family = family;
    fc->raw = QRawFont::fromFont(f);
    if (fc->raw.isValid()) {
        const double em = fc->raw.pixelSize();
        if (fc->raw.ascent() + fc->raw.descent() > 0) {
            fc->unitsAscent = fc->raw.ascent() / em;
            fc->unitsDescent = fc->raw.descent() / em;
        }
        fc->hbFace = hb_face_create_for_tables(referenceTable, &fc->raw, nullptr);
        hb_face_set_upem(fc->hbFace, static_cast<unsigned>(fc->raw.unitsPerEm()));
        fc->hbFont = hb_font_create(fc->hbFace);
    }
    return fc;
}

// Faces live as long as the program: a sheet run opens the same few again and again.
QtPrintSurface::FaceCache& faceFor(const QString& family, bool bold, bool italic) {
    static std::map<QString, std::unique_ptr<QtPrintSurface::FaceCache>> faces;
    const QString key =
        family + QLatin1Char('|') + QLatin1Char(bold ? 'b' : '-') + QLatin1Char(italic ? 'i' : '-');
    auto it = faces.find(key);
    if (it == faces.end()) it = faces.emplace(key, makeFace(family, bold, italic)).first;
    return *it->second;
}

}  // namespace

QtPrintSurface::QtPrintSurface(QPagedPaintDevice& device) : device_(device) {
    const QMarginsF m = device.pageLayout().margins(QPageLayout::Millimeter);
    marginL_ = m.left() * kTwipsPerMm;
    marginT_ = m.top() * kTwipsPerMm;
    marginR_ = m.right() * kTwipsPerMm;
    marginB_ = m.bottom() * kTwipsPerMm;
    const QPageLayout layout = device.pageLayout();
    orientation_ =
        layout.orientation() == QPageLayout::Landscape ? Orientation::Landscape : Orientation::Portrait;
    paper_ = layout.pageSize().id() == QPageSize::JisB4 ? Paper::B4 : Paper::A4;
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive()) painter_.end();
}

void QtPrintSurface::openPage() {
    if (pageOpen_ || ended_ || failed_) return;
    QPageLayout layout = device_.pageLayout();
    layout.setPageSize(pageSizeFor(paper_));
    layout.setOrientation(orientation_ == Orientation::Landscape ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
    device_.setPageLayout(layout);  // a device that refuses keeps its own; drawing goes on
    if (!painter_.isActive()) {
        if (!painter_.begin(&device_)) {
            // Tried once: the rest of the job draws nothing.
            failed_ = true;
            return;
        }
    } else {
        device_.newPage();
    }
    pageOpen_ = true;
    ++pages_;
    painter_.resetTransform();
    const double scale = device_.logicalDpiX() / 1440.0;
    painter_.scale(scale, device_.logicalDpiY() / 1440.0);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QString QtPrintSurface::familyInUse() const {
    return resolveFontFamily(fontName_);
}

QtPrintSurface::FaceCache& QtPrintSurface::face() {
    if (fontDirty_ || !face_) {
        const QString family = resolveFontFamily(fontName_);
        face_ = &faceFor(family, bold_, italic_);
        font_ = QFont(family);
        font_.setPixelSize(std::max(1, static_cast<int>(std::lround(size_ * 20))));
        font_.setBold(bold_);
        font_.setItalic(italic_);
        font_.setHintingPreference(QFont::PreferNoHinting);
        fontDirty_ = false;
    }
    return *face_;
}

const QFont& QtPrintSurface::font() {
    face();
    return font_;
}

quint32 QtPrintSurface::verticalGlyph(char32_t c) {
    return face().glyph(c, true);
}
quint32 QtPrintSurface::horizontalGlyph(char32_t c) {
    return face().glyph(c, false);
}

void QtPrintSurface::setPaperSize(Paper paper) {
    paper_ = paper;
}
void QtPrintSurface::setOrientation(Orientation orientation) {
    orientation_ = orientation;
}

int QtPrintSurface::paperWidth() const {
    const QSizeF mm = pageSizeFor(paper_).size(QPageSize::Millimeter);
    return static_cast<int>(
        std::lround((orientation_ == Orientation::Landscape ? mm.height() : mm.width()) * kTwipsPerMm));
}
int QtPrintSurface::paperHeight() const {
    const QSizeF mm = pageSizeFor(paper_).size(QPageSize::Millimeter);
    return static_cast<int>(
        std::lround((orientation_ == Orientation::Landscape ? mm.width() : mm.height()) * kTwipsPerMm));
}
double QtPrintSurface::pageWidth() const {
    // Margins follow the paper when it turns.
    return paperWidth() -
           (orientation_ == Orientation::Landscape ? marginT_ + marginB_ : marginL_ + marginR_);
}
double QtPrintSurface::pageHeight() const {
    return paperHeight() -
           (orientation_ == Orientation::Landscape ? marginL_ + marginR_ : marginT_ + marginB_);
}

void QtPrintSurface::setFontName(const QString& name) {
    if (name != fontName_) fontDirty_ = true;
    fontName_ = name;
}
void QtPrintSurface::setFontSize(double points) {
    if (points > 0 && points != size_) {
        size_ = points;
        fontDirty_ = true;
    }
}
void QtPrintSurface::setFontBold(bool on) {
    if (on != bold_) fontDirty_ = true;
    bold_ = on;
}
void QtPrintSurface::setFontItalic(bool on) {
    if (on != italic_) fontDirty_ = true;
    italic_ = on;
}
void QtPrintSurface::setForeColor(int bgr) {
    color_ = bgr;
}
void QtPrintSurface::setDrawStyle(LineStyle style) {
    style_ = style;
}
void QtPrintSurface::setDrawWidth(int pixels) {
    width_ = pixels;
}

void QtPrintSurface::applyPen() {
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1, width_) * kTwipsPerPenPixel);
    pen.setStyle(style_ == LineStyle::Dashed   ? Qt::DashLine
                 : style_ == LineStyle::Dotted ? Qt::DotLine
                                               : Qt::SolidLine);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void QtPrintSurface::drawLine(double x1, double y1, double x2, double y2) {
    openPage();
    if (!pageOpen_) return;
    applyPen();
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPrintSurface::drawBox(double x1, double y1, double x2, double y2) {
    openPage();
    if (!pageOpen_) return;
    applyPen();
    painter_.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

// Characters in vertical writing: each full-width one in a square cell of one em, in its
// vertical form; turned (an "@" face) or upright and centred (column forms).
void QtPrintSurface::drawVertical(const QString& text, bool turned) {
    FaceCache& fc = face();
    const double em = size_ * 20;
    const QRawFont& raw = fc.at(em);
    const double ascent = QFontMetricsF(font_).ascent();
    painter_.setPen(colorFromBgr(color_));
    double pen = x_;
    for (char32_t c : text.toUcs4()) {
        const bool full = isFullWidthChar(c);
        const quint32 g = fc.glyph(c, full || !turned);
        const double adv = fc.advanceEm(g) * em;
        if (g == 0) {
            // The face lacks it: Qt finds another face for it, upright.
            painter_.setFont(font_);
            painter_.drawText(QPointF(pen, y_ + ascent), QString::fromUcs4(&c, 1));
            pen += full ? em : QFontMetricsF(font_).horizontalAdvance(QString::fromUcs4(&c, 1));
            continue;
        }
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes({g});
        run.setPositions({QPointF(0, 0)});
        if (turned && full) {
            // Glyph space: the em box from (0, 0) to (em, em), baseline at ascent. Turned a
            // quarter counter-clockwise its top lies on the cell's left side.
            painter_.save();
            painter_.translate(pen, y_ + em);
            painter_.rotate(-90);
            painter_.drawGlyphRun(QPointF((em - adv) / 2, fc.unitsAscent * em), run);
            painter_.restore();
            pen += em;
        } else if (turned) {
            painter_.drawGlyphRun(QPointF(pen, y_ + ascent), run);
            pen += adv;
        } else {
            const double cell = full ? em : adv;
            painter_.drawGlyphRun(QPointF(pen + (em - adv) / 2, y_ + ascent), run);
            pen += cell;
        }
    }
}

void QtPrintSurface::printText(const QString& text) {
    openPage();
    const double lineHeight = textHeight(text);
    if (pageOpen_ && !text.isEmpty()) {
        const bool turned = fontName_.startsWith(QLatin1Char('@'));
        face();
        if (turned || (columnForms_ && text.size() <= 2 && text.toUcs4().size() == 1)) {
            drawVertical(text, turned);
        } else {
            painter_.setFont(font_);
            painter_.setPen(colorFromBgr(color_));
            painter_.drawText(QPointF(x_, y_ + QFontMetricsF(font_).ascent()), text);
        }
    }
    x_ = 0;
    y_ += lineHeight;
}

double QtPrintSurface::textWidth(const QString& text) {
    const QFontMetricsF fm(font());
    if (!fontName_.startsWith(QLatin1Char('@'))) return fm.horizontalAdvance(text);
    double w = 0;
    for (char32_t c : text.toUcs4())
        w += isFullWidthChar(c) ? size_ * 20 : fm.horizontalAdvance(QString::fromUcs4(&c, 1));
    return w;
}

double QtPrintSurface::textHeight(const QString&) {
    return QFontMetricsF(font()).height();
}

void QtPrintSurface::newPage() {
    // A page break on a page nothing was drawn on still gives that blank page.
    openPage();
    pageOpen_ = false;
}

void QtPrintSurface::endDocument() {
    if (painter_.isActive() && !painter_.end()) failed_ = true;
    pageOpen_ = false;
    ended_ = true;
}
