#include "core/printing/recording_surface.h"

#include <QIODevice>
#include <cmath>

#include "core/printing/print_text.h"

namespace {

RecordingSurface::Op makeOp(RecordingSurface::Kind k, double x1 = 0, double y1 = 0, double x2 = 0,
                            double y2 = 0) {
    RecordingSurface::Op op;
    op.kind = k;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}

constexpr double kTwipsPerMm = 1440.0 / 25.4;

QString num(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<long long>(v));
    return QString::number(v, 'g', 12);
}

QString jsonString(const QString& s) {
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

}  // namespace

RecordingSurface::RecordingSurface(PrintSurface* target) : target_(target) {}

double RecordingSurface::paperWidthTwips(Paper paper, Orientation orientation) {
    const double w = std::round((paper == Paper::B4 ? 257 : 210) * kTwipsPerMm);
    const double h = std::round((paper == Paper::B4 ? 364 : 297) * kTwipsPerMm);
    return orientation == Orientation::Landscape ? h : w;
}

double RecordingSurface::paperHeightTwips(Paper paper, Orientation orientation) {
    return paperWidthTwips(
        paper, orientation == Orientation::Landscape ? Orientation::Portrait : Orientation::Landscape);
}

QString RecordingSurface::toJson(const Op& op) {
    const auto line = [&](const char* name) {
        return QStringLiteral(
                   "{\"op\":\"%1\",\"x1\":%2,\"y1\":%3,\"x2\":%4,\"y2\":%5,\"style\":%6,\"width\":%7}")
            .arg(QLatin1String(name), num(op.x1), num(op.y1), num(op.x2), num(op.y2))
            .arg(op.style)
            .arg(op.width);
    };
    switch (op.kind) {
    case Kind::Page:
        return QStringLiteral("{\"op\":\"page\",\"width\":%1,\"height\":%2}").arg(num(op.x1), num(op.y1));
    case Kind::Paper: return QStringLiteral("{\"op\":\"paper\",\"size\":%1}").arg(op.value);
    case Kind::Orientation: return QStringLiteral("{\"op\":\"orientation\",\"value\":%1}").arg(op.value);
    case Kind::Text:
        return QStringLiteral(
                   "{\"op\":\"text\",\"x\":%1,\"y\":%2,\"text\":%3,\"font\":%4,\"size\":%5,"
                   "\"bold\":%6,\"italic\":%7,\"color\":%8}")
            .arg(num(op.x1), num(op.y1), jsonString(op.text), jsonString(op.font), num(op.size),
                 op.bold ? QStringLiteral("true") : QStringLiteral("false"),
                 op.italic ? QStringLiteral("true") : QStringLiteral("false"))
            .arg(op.color);
    case Kind::Line: return line("line");
    case Kind::Box: return line("box");
    case Kind::NewPage: return QStringLiteral("{\"op\":\"newPage\"}");
    case Kind::EndDocument: return QStringLiteral("{\"op\":\"endDocument\"}");
    }
    return {};
}

void RecordingSurface::record(const Op& op) {
    if (keep_) ops_.push_back(op);
    if (trace_) trace_->write((toJson(op) + QLatin1Char('\n')).toUtf8());
}

// A page record goes before the first drawing of a page and again when paper or
// orientation changed the printable area since.
void RecordingSurface::announcePage() {
    const double w = pageWidth(), h = pageHeight();
    if (pageAnnounced_ && w == announcedW_ && h == announcedH_) return;
    Op op = makeOp(Kind::Page);
    op.x1 = w;
    op.y1 = h;
    record(op);
    pageAnnounced_ = true;
    announcedW_ = w;
    announcedH_ = h;
}

std::vector<RecordingSurface::Op> RecordingSurface::ofKind(Kind k) const {
    std::vector<Op> out;
    for (const Op& op : ops_)
        if (op.kind == k) out.push_back(op);
    return out;
}

std::vector<RecordingSurface::Op> RecordingSurface::texts() const {
    return ofKind(Kind::Text);
}

std::vector<RecordingSurface::Op> RecordingSurface::textsOfSize(double size) const {
    std::vector<Op> out;
    for (const Op& op : ops_)
        if (op.kind == Kind::Text && op.size == size) out.push_back(op);
    return out;
}

void RecordingSurface::setPaperSize(Paper paper) {
    paper_ = paper;
    if (target_) target_->setPaperSize(paper);
    Op op = makeOp(Kind::Paper);
    op.value = codeOf(paper);
    record(op);
}

void RecordingSurface::setOrientation(Orientation orientation) {
    orientation_ = orientation;
    if (target_) target_->setOrientation(orientation);
    Op op = makeOp(Kind::Orientation);
    op.value = codeOf(orientation);
    record(op);
}

double RecordingSurface::pageWidth() const {
    return target_ ? target_->pageWidth() : paperWidthTwips(paper_, orientation_) - 2 * margin_;
}
double RecordingSurface::pageHeight() const {
    return target_ ? target_->pageHeight() : paperHeightTwips(paper_, orientation_) - 2 * margin_;
}
int RecordingSurface::paperWidth() const {
    return target_ ? target_->paperWidth() : static_cast<int>(paperWidthTwips(paper_, orientation_));
}
int RecordingSurface::paperHeight() const {
    return target_ ? target_->paperHeight() : static_cast<int>(paperHeightTwips(paper_, orientation_));
}

void RecordingSurface::setFontName(const QString& name) {
    font_ = name;
    if (target_) target_->setFontName(name);
}
void RecordingSurface::setFontSize(double points) {
    size_ = points;
    if (target_) target_->setFontSize(points);
}
void RecordingSurface::setFontBold(bool on) {
    bold_ = on;
    if (target_) target_->setFontBold(on);
}
void RecordingSurface::setFontItalic(bool on) {
    italic_ = on;
    if (target_) target_->setFontItalic(on);
}
void RecordingSurface::setForeColor(int bgr) {
    color_ = bgr;
    if (target_) target_->setForeColor(bgr);
}
void RecordingSurface::setDrawStyle(LineStyle style) {
    style_ = style;
    if (target_) target_->setDrawStyle(style);
}
void RecordingSurface::setDrawWidth(int pixels) {
    width_ = pixels;
    if (target_) target_->setDrawWidth(pixels);
}
void RecordingSurface::setCurrentX(double x) {
    x_ = x;
    if (target_) target_->setCurrentX(x);
}
void RecordingSurface::setCurrentY(double y) {
    y_ = y;
    if (target_) target_->setCurrentY(y);
}
void RecordingSurface::setColumnForms(bool on) {
    columnForms_ = on;
    if (target_) target_->setColumnForms(on);
}

void RecordingSurface::printText(const QString& text) {
    announcePage();
    Op op = makeOp(Kind::Text);
    op.x1 = x_;
    op.y1 = y_;
    op.text = text;
    op.font = font_;
    op.size = size_;
    op.bold = bold_;
    op.italic = italic_;
    op.color = color_;
    op.columnForms = columnForms_;
    record(op);
    if (target_) {
        target_->printText(text);
        x_ = target_->currentX();
        y_ = target_->currentY();
    } else {
        x_ = 0;
        y_ += textHeight(text);
    }
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2) {
    announcePage();
    Op op = makeOp(Kind::Line, x1, y1, x2, y2);
    op.style = codeOf(style_);
    op.width = width_;
    record(op);
    if (target_) target_->drawLine(x1, y1, x2, y2);
}

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2) {
    announcePage();
    Op op = makeOp(Kind::Box, x1, y1, x2, y2);
    op.style = codeOf(style_);
    op.width = width_;
    record(op);
    if (target_) target_->drawBox(x1, y1, x2, y2);
}

double RecordingSurface::textWidth(const QString& text) {
    if (target_) return target_->textWidth(text);
    double w = 0;
    for (char32_t c : text.toUcs4()) w += isFullWidthChar(c) ? size_ * 20 : size_ * 10;
    return w;
}

double RecordingSurface::textHeight(const QString& text) {
    if (target_) return target_->textHeight(text);
    return size_ * 20;
}

void RecordingSurface::newPage() {
    // A page break on a page nothing was drawn on still gives that (blank) page.
    announcePage();
    record(makeOp(Kind::NewPage));
    pageAnnounced_ = false;
    if (target_) target_->newPage();
}

void RecordingSurface::endDocument() {
    record(makeOp(Kind::EndDocument));
    pageAnnounced_ = false;
    if (target_) target_->endDocument();
}
