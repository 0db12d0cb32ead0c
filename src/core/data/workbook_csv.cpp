#include "core/data/workbook_csv.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "core/data/atomic_file.h"
#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/text_codec.h"

namespace workbookcsv {
namespace {

// The columns of the program's own CSV by their place in kColumns.
enum Column { Page, Row, Heading, Before, Kanji, Reading, After, Kanji2, Reading2, After2, Font, Carried };
constexpr int kColumnCount = 12;

// The page-record field of each text column of a row (Page and Row have none).
int fieldOf(Column c, int row) {
    switch (c) {
    case Heading: return kHeadingField;
    case Before: return slotFieldIndex(row, SlotField::Before);
    case Kanji: return slotFieldIndex(row, SlotField::Kanji);
    case Reading: return slotFieldIndex(row, SlotField::Reading);
    case After: return slotFieldIndex(row, SlotField::After);
    case Kanji2: return slotFieldIndex(row, SlotField::Kanji2);
    case Reading2: return slotFieldIndex(row, SlotField::Reading2);
    case After2: return slotFieldIndex(row, SlotField::After2);
    case Font: return kFontField;
    case Carried: return kCarriedField;
    case Page:
    case Row: break;
    }
    return -1;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString fullWidthNumber(int n) {
    QString s = QString::number(n);
    for (QChar& c : s) c = QChar(c.unicode() - u'0' + 0xFF10);
    return s;
}

// "12", "１２" and " 12 " as 12; nothing for anything else (or a number out of range).
std::optional<int> smallNumber(QString text) {
    text = text.trimmed();
    for (QChar& c : text)
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) c = QChar(c.unicode() - 0xFF10 + u'0');
    if (text.isEmpty() || text.size() > 7) return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return std::nullopt;
    return text.toInt();
}

QString field(const CsvRecord& r, int column) {
    return column >= 0 ? r.fields.value(column) : QString();
}

bool isEmptyRecord(const CsvRecord& r) {
    for (const QString& f : r.fields)
        for (QChar c : f)
            if (!isBlank(c) && c != u'\r' && c != u'\n' && c != QChar(0x3000)) return false;
    return true;
}

// The rows not taken, the first kMaxListedRows of them kept.
struct Rejections {
    CsvImport& result;
    void add(int line, const QString& reason) {
        ++result.rejectedCount;
        if (result.rejected.size() < static_cast<size_t>(kMaxListedRows))
            result.rejected.push_back({line, reason});
    }
};

QString unencodableReason(const QString& characters) {
    return QStringLiteral("問題ファイルに保存できない文字「%1」があります（Shift_JISにない文字です）")
        .arg(characters);
}

const QString kUnclosedQuote =
    QStringLiteral("二重引用符（\"）が閉じていないため、この行からファイルの終わりまでを読み込めません");

QString tooManyPagesMessage(int line) {
    return QStringLiteral(
               "%1行目で%2ページを超えます。ワークブックに入るのは%2ページ（%3問）までです。"
               "ファイルを分けてから読み込んでください")
        .arg(line)
        .arg(kMaxPages)
        .arg(kMaxPages * 10);
}

// A page being filled from the rows of the program's own CSV.
struct PendingPage {
    PageRecord record;
    std::array<int, 11> lineOfRow{};  // rows 1..10: the line that filled it, 0 while free
    bool headingSet = false, fontSet = false, carriedSet = false;
    int freeRow() const {
        for (int r = 1; r <= 10; ++r)
            if (!lineOfRow[static_cast<size_t>(r)]) return r;
        return 0;
    }
};

// The pages as a problem file holds them: each record is read back from its page line, so
// that the workbook holds exactly what saving it writes (a double quote becomes "＂", a line
// break a blank, as in every problem file).
void takePages(std::vector<PageRecord>& records, Workbook& wb) {
    wb.headingList.clear();
    for (size_t p = 0; p < records.size(); ++p) {
        const QString line = pageLine(records[p], records[p][kFontField]);
        PageRecord& page = wb.page(static_cast<int>(p));
        page = PageRecord{};
        FieldStream in(line);
        for (int i = 0; i < kMojxFields; ++i) page[static_cast<size_t>(i)] = in.next();
        wb.pageLines[p] = line;
        wb.headingList << page[kHeadingField];
    }
    wb.pageCount = static_cast<int>(records.size());
}

QString checkUnencodable(const QStringList& texts) {
    return textcodec::unencodableCharacters(texts.join(QString()));
}

// --- the program's own CSV ---

CsvImport importWorkbookRows(CsvReader& reader, const std::array<int, kColumnCount>& col, CsvImport result,
                             Workbook& wb) {
    Rejections reject{result};
    std::map<int, PendingPage> pages;
    int current = 0;
    CsvRecord r;
    while (reader.next(r)) {
        if (isEmptyRecord(r)) continue;
        if (r.unclosedQuote) {
            reject.add(r.line, kUnclosedQuote);
            continue;
        }
        const QString pageText = field(r, col[Page]).trimmed();
        const QString rowText = field(r, col[Row]).trimmed();
        int key = current ? current : 1;
        if (!pageText.isEmpty()) {
            const std::optional<int> n = smallNumber(pageText);
            if (!n || *n < 1) {
                reject.add(r.line,
                           QStringLiteral("「ページ」の「%1」が1以上の数ではありません").arg(pageText));
                continue;
            }
            key = *n;
        }
        int row = 0;
        if (!rowText.isEmpty()) {
            const std::optional<int> n = smallNumber(rowText);
            if (!n || *n < 1 || *n > 10) {
                reject.add(r.line,
                           QStringLiteral("「行」の「%1」が1から10までの数ではありません").arg(rowText));
                continue;
            }
            row = *n;
        }
        QStringList texts;
        for (int c = Heading; c < kColumnCount; ++c) texts << field(r, col[static_cast<size_t>(c)]);
        if (const QString bad = checkUnencodable(texts); !bad.isEmpty()) {
            reject.add(r.line, unencodableReason(bad));
            continue;
        }
        auto found = pages.find(key);
        if (row == 0) {
            const int free = found == pages.end() ? 1 : found->second.freeRow();
            if (free == 0 && !pageText.isEmpty()) {
                reject.add(r.line, QStringLiteral("%1ページにはもう10問あります").arg(key));
                continue;
            }
            if (free == 0) {  // a row without a page number goes on to a new page
                key = pages.rbegin()->first + 1;
                found = pages.end();
                row = 1;
            } else {
                row = free;
            }
        }
        if (found == pages.end()) {
            if (static_cast<int>(pages.size()) >= kMaxPages) {
                result.error = tooManyPagesMessage(r.line);
                return result;
            }
            found = pages.emplace(key, PendingPage{}).first;
        }
        PendingPage& page = found->second;
        if (const int first = page.lineOfRow[static_cast<size_t>(row)]) {
            reject.add(r.line, QStringLiteral("%1ページの%2行目は%3行目ですでに読み込んでいます")
                                   .arg(key)
                                   .arg(row)
                                   .arg(first));
            continue;
        }
        page.lineOfRow[static_cast<size_t>(row)] = r.line;
        for (int c = Before; c <= After2; ++c)
            page.record[static_cast<size_t>(fieldOf(Column(c), row))] = field(r, col[static_cast<size_t>(c)]);
        // A page's heading, font and note come from the first of its rows that has them.
        auto pageField = [&](Column c, bool& set) {
            const QString v = field(r, col[static_cast<size_t>(c)]);
            if (set || v.isEmpty()) return;
            page.record[static_cast<size_t>(fieldOf(c, row))] = v;
            set = true;
        };
        pageField(Heading, page.headingSet);
        pageField(Font, page.fontSet);
        pageField(Carried, page.carriedSet);
        current = key;
        ++result.rowsRead;
    }
    if (result.rowsRead == 0) {
        result.error = QStringLiteral("読み込める行がありません");
        return result;
    }
    std::vector<PageRecord> records;
    records.reserve(pages.size());
    for (auto& [key, page] : pages) {
        // A CSV without the font column gives its pages the usual font.
        if (col[Font] < 0) page.record[kFontField] = kDefaultFontName;
        records.push_back(std::move(page.record));
    }
    takePages(records, wb);
    result.pages = wb.pageCount;
    return result;
}

// --- the dictation-sheet program's problem lists ---

// A sentence with one or two answer boxes [よみ]: the texts around them and the readings.
struct PeerSentence {
    QStringList texts;     // before the first box, between, after the last
    QStringList readings;  // what each box holds
    QString error;
};

bool isOpenBox(QChar c) {
    return c == u'[' || c == QChar(0xFF3B);  // ［
}
bool isCloseBox(QChar c) {
    return c == u']' || c == QChar(0xFF3D);  // ］
}
bool isOpenRuby(QChar c) {
    return c == u'<' || c == QChar(0xFF1C);  // ＜
}
bool isCloseRuby(QChar c) {
    return c == u'>' || c == QChar(0xFF1E);  // ＞
}

// Splits a sentence at its boxes. A ruby 日<ひ> keeps its base text and drops the reading:
// a problem's texts have no place for the reading of a single kanji, and the program gives
// the unlearned kanji of a sheet their readings itself.
PeerSentence parseSentence(const QString& sentence) {
    PeerSentence s;
    QString part;
    bool inBox = false;
    for (qsizetype i = 0; i < sentence.size(); ++i) {
        const QChar c = sentence[i];
        if (isOpenRuby(c)) {
            qsizetype j = i + 1;
            while (j < sentence.size() && !isCloseRuby(sentence[j])) ++j;
            if (j >= sentence.size()) {
                s.error = QStringLiteral("ルビの「<」が「>」で閉じていません");
                return s;
            }
            i = j;
        } else if (isCloseRuby(c)) {
            s.error = QStringLiteral("ルビの「>」の前に「<」がありません");
            return s;
        } else if (isOpenBox(c)) {
            if (inBox) {
                s.error = QStringLiteral("答えの枠「[」の中に「[」があります");
                return s;
            }
            s.texts << part;
            part.clear();
            inBox = true;
        } else if (isCloseBox(c)) {
            if (!inBox) {
                s.error = QStringLiteral("答えの枠の「]」の前に「[」がありません");
                return s;
            }
            s.readings << part.trimmed();
            part.clear();
            inBox = false;
        } else {
            part += c;
        }
    }
    if (inBox) {
        s.error = QStringLiteral("答えの枠の「[」が「]」で閉じていません");
        return s;
    }
    s.texts << part;
    if (s.readings.isEmpty())
        s.error = QStringLiteral("問題文に答えの枠 [よみ] がありません");
    else if (s.readings.size() > 2)
        s.error = QStringLiteral("答えの枠が%1個あります（１問に２個までです）").arg(s.readings.size());
    return s;
}

// The answer words of a problem with `boxes` boxes: the whole answer for one box, two words
// parted by "、", "，", ",", "・", "／", "/" or blanks for two.
QStringList answerWords(const QString& answer, int boxes) {
    if (boxes == 1) return {answer.trimmed()};
    QStringList words;
    QString w;
    for (QChar c : answer) {
        if (c == u'、' || c == u'，' || c == u',' || c == u'・' || c == u'／' || c == u'/' || c == u' ' ||
            c == QChar(0x3000) || c == u'\t') {
            if (!w.isEmpty()) words << w;
            w.clear();
        } else {
            w += c;
        }
    }
    if (!w.isEmpty()) words << w;
    return words;
}

// "3", "３", "3年", "小3", "小学3年生" as 3; nothing for anything else.
std::optional<int> gradeOf(QString text) {
    text = text.trimmed();
    for (const QString& cut : {QStringLiteral("小学校"), QStringLiteral("小学"), QStringLiteral("小")})
        if (text.startsWith(cut)) {
            text = text.mid(cut.size());
            break;
        }
    if (text.endsWith(QStringLiteral("年生")))
        text.chop(2);
    else if (text.endsWith(u'年'))
        text.chop(1);
    const std::optional<int> g = smallNumber(text);
    if (g && *g >= 1 && *g <= 6) return g;
    return std::nullopt;
}

// The heading of the n-th page (1-based) of a grade's problems: "３年 ２"; the grade's own
// text or the file's name when it is no grade 1 to 6.
QString peerHeading(const QString& grade, int n, const QString& sourceName) {
    const std::optional<int> g = gradeOf(grade);
    const QString base = g                       ? fullWidthNumber(*g) + u'年'
                         : !grade.isEmpty()      ? grade
                         : !sourceName.isEmpty() ? sourceName
                                                 : QStringLiteral("CSV");
    return base + u' ' + fullWidthNumber(n);
}

CsvImport importPeerRows(CsvReader& reader, int gradeCol, int sentenceCol, int answerCol,
                         const QString& sourceName, CsvImport result, Workbook& wb) {
    Rejections reject{result};
    std::vector<PageRecord> records;
    std::map<QString, int> pagesOfGrade;
    QString pageGrade;
    int rowsOnPage = 10;  // no page yet
    CsvRecord r;
    while (reader.next(r)) {
        if (isEmptyRecord(r)) continue;
        if (r.unclosedQuote) {
            reject.add(r.line, kUnclosedQuote);
            continue;
        }
        const QString sentence = field(r, sentenceCol);
        const QString answer = field(r, answerCol).trimmed();
        const QString grade = field(r, gradeCol).trimmed();
        if (sentence.trimmed().isEmpty()) {
            reject.add(r.line, QStringLiteral("問題文がありません"));
            continue;
        }
        const PeerSentence s = parseSentence(sentence);
        if (!s.error.isEmpty()) {
            reject.add(r.line, s.error);
            continue;
        }
        if (answer.isEmpty()) {
            reject.add(r.line, QStringLiteral("答えがありません"));
            continue;
        }
        const QStringList words = answerWords(answer, static_cast<int>(s.readings.size()));
        if (words.size() != s.readings.size()) {
            reject.add(r.line, QStringLiteral("答えの枠が2個ありますが、答え「%1」が2語に分かれていません"
                                              "（「、」で区切ってください）")
                                   .arg(answer));
            continue;
        }
        const QString heading = rowsOnPage < 10 && grade == pageGrade
                                    ? QString()
                                    : peerHeading(grade, pagesOfGrade[grade] + 1, sourceName);
        if (const QString bad = checkUnencodable(s.texts + s.readings + words + QStringList{heading});
            !bad.isEmpty()) {
            reject.add(r.line, unencodableReason(bad));
            continue;
        }
        if (!heading.isEmpty()) {
            if (static_cast<int>(records.size()) >= kMaxPages) {
                result.error = tooManyPagesMessage(r.line);
                return result;
            }
            ++pagesOfGrade[grade];
            records.emplace_back();
            records.back()[kHeadingField] = heading;
            records.back()[kFontField] = kDefaultFontName;
            pageGrade = grade;
            rowsOnPage = 0;
        }
        PageRecord& page = records.back();
        const int row = ++rowsOnPage;
        auto set = [&](SlotField f, const QString& v) {
            page[static_cast<size_t>(slotFieldIndex(row, f))] = v;
        };
        set(SlotField::Before, s.texts[0]);
        set(SlotField::Kanji, words[0]);
        set(SlotField::Reading, s.readings[0]);
        set(SlotField::After, s.texts[1]);
        if (s.readings.size() == 2) {
            set(SlotField::Kanji2, words[1]);
            set(SlotField::Reading2, s.readings[1]);
            set(SlotField::After2, s.texts[2]);
        }
        ++result.rowsRead;
    }
    if (result.rowsRead == 0) {
        result.error = QStringLiteral("読み込める行がありません");
        return result;
    }
    takePages(records, wb);
    result.pages = wb.pageCount;
    return result;
}

}  // namespace

// --- writing ---

QString quoteField(const QString& text) {
    bool quote = !text.isEmpty() && (isBlank(text.front()) || isBlank(text.back()));
    for (QChar c : text)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') quote = true;
    if (!quote) return text;
    QString t = text;
    t.replace(u'"', QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QByteArray csvFromPageLines(const QStringList& pageLines) {
    QString out;
    out.reserve(static_cast<qsizetype>(pageLines.size()) * 10 * 40 + 128);
    auto addRow = [&](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i) out += u',';
            out += quoteField(fields[i]);
        }
        out += QLatin1String("\r\n");
    };
    addRow(kColumns);
    std::array<QString, kMojxFields> f;
    for (qsizetype p = 0; p < pageLines.size(); ++p) {
        FieldStream in(pageLines[p]);
        for (QString& v : f) v = in.next();
        for (int row = 1; row <= 10; ++row) {
            QStringList fields{QString::number(p + 1), QString::number(row)};
            for (int c = Heading; c < kColumnCount; ++c)
                fields << f[static_cast<size_t>(fieldOf(Column(c), row))];
            addRow(fields);
        }
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

QByteArray workbookToCsv(const Workbook& wb) {
    QStringList lines;
    for (int p = 0; p < wb.pageCount && p < kMaxPages; ++p) lines << wb.pageLines[static_cast<size_t>(p)];
    return csvFromPageLines(lines);
}

bool writeCsvFile(const QString& path, const QStringList& pageLines, QString* message) {
    const QByteArray bytes = csvFromPageLines(pageLines);
    // A CSV the program could not read back is not written (each row repeats its page's
    // heading, and UTF-8 takes three bytes for a kanji where a problem file takes two).
    if (bytes.size() > kMaxTextFileBytes) {
        if (message)
            *message =
                path + QStringLiteral(
                           " に書き出せませんでした。\nCSVが%1バイトになり、読み込めるファイルの"
                           "大きさ（%2バイト）を超えるためです。ページを分けてから書き出してください。")
                           .arg(bytes.size())
                           .arg(kMaxTextFileBytes);
        return false;
    }
    QString error;
    if (writeFileAtomically(path, bytes, &error)) return true;
    if (message) *message = path + QStringLiteral(" に書き出せませんでした。\n") + error;
    return false;
}

// --- reading ---

bool CsvReader::next(CsvRecord& record) {
    const qsizetype n = text_.size();
    if (pos_ >= n) return false;
    record = CsvRecord{};
    record.line = line_;
    const QChar* t = text_.constData();
    QString value;
    auto endField = [&] {
        if (record.fields.size() < kMaxColumns)
            record.fields << value;
        else
            ++record.droppedFields;
        value.clear();
    };
    while (true) {
        if (pos_ < n && t[pos_] == u'"') {
            ++pos_;
            while (true) {
                if (pos_ >= n) {
                    record.unclosedQuote = true;
                    endField();
                    return true;
                }
                const QChar c = t[pos_];
                if (c == u'"') {
                    if (pos_ + 1 < n && t[pos_ + 1] == u'"') {
                        value += u'"';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                if (c == u'\n' || (c == u'\r' && !(pos_ + 1 < n && t[pos_ + 1] == u'\n'))) ++line_;
                value += c;
                ++pos_;
            }
        }
        // An unquoted field, or what follows a closing quote up to the separator.
        const qsizetype start = pos_;
        while (pos_ < n && t[pos_] != u',' && t[pos_] != u'\r' && t[pos_] != u'\n') ++pos_;
        value += QStringView(text_).sliced(start, pos_ - start);
        endField();
        if (pos_ >= n) return true;
        if (t[pos_] == u',') {
            ++pos_;
            continue;
        }
        pos_ += (t[pos_] == u'\r' && pos_ + 1 < n && t[pos_ + 1] == u'\n') ? 2 : 1;
        ++line_;
        return true;
    }
}

DecodedCsv decodeCsvBytes(const QByteArray& bytes) {
    DecodedCsv d;
    if (bytes.size() >= 2 &&
        ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
        d.error = QStringLiteral(
            "UTF-16で保存されたファイルのため、読み込めません。"
            "表計算ソフトで「CSV UTF-8」か「CSV（コンマ区切り）」として保存し直してください");
        return d;
    }
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        d.error = QStringLiteral("NUL文字（%1バイト目）を含み、テキストファイルではないため、読み込めません")
                      .arg(nul + 1);
        return d;
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    const qsizetype badUtf8 = textcodec::firstBadUtf8Byte(body);
    if (badUtf8 < 0) {
        d.text = QString::fromUtf8(body);
        d.encoding = QStringLiteral("UTF-8");
        return d;
    }
    if (bom) {
        d.error = QStringLiteral("UTF-8として読めないバイトがあるため、読み込めません（%1バイト目）")
                      .arg(badUtf8 + 4);
        return d;
    }
    qsizetype badCp932 = 0;
    if (std::optional<QString> text = textcodec::decodeCp932(body, &badCp932)) {
        d.text = std::move(*text);
        d.encoding = QStringLiteral("Shift_JIS");
        return d;
    }
    d.error = QStringLiteral("UTF-8でもShift_JISでもないため、読み込めません（%1バイト目）")
                  .arg(std::max(badUtf8, badCp932) + 1);
    return d;
}

CsvImport importCsv(const QByteArray& bytes, const QString& sourceName, Workbook& wb) {
    CsvImport result;
    DecodedCsv decoded = decodeCsvBytes(bytes);
    if (!decoded.error.isEmpty()) {
        result.error = decoded.error;
        return result;
    }
    result.encoding = decoded.encoding;
    CsvReader reader(std::move(decoded.text));
    CsvRecord header;
    bool found = false;
    while (reader.next(header))
        if (!isEmptyRecord(header)) {
            found = true;
            break;
        }
    if (!found) {
        result.error = QStringLiteral("空のファイルです。読み込む行がありません");
        return result;
    }
    QStringList names;
    for (const QString& f : header.fields) names << f.trimmed();
    auto columnOf = [&](const QString& name) { return static_cast<int>(names.indexOf(name)); };
    const int sentenceCol = columnOf(kPeerColumns[1]);
    const int answerCol = columnOf(kPeerColumns[2]);
    if (sentenceCol >= 0 && answerCol >= 0) {
        result.kind = CsvKind::Peer;
        // A file name with characters a problem file cannot hold heads its pages without them.
        QString name = sourceName;
        for (const QChar c : textcodec::unencodableCharacters(name)) name.remove(c);
        return importPeerRows(reader, columnOf(kPeerColumns[0]), sentenceCol, answerCol, name.trimmed(),
                              result, wb);
    }
    std::array<int, kColumnCount> col{};
    for (int c = 0; c < kColumnCount; ++c) col[static_cast<size_t>(c)] = columnOf(kColumns[c]);
    if (col[Kanji] < 0) {
        result.error =
            QStringLiteral(
                "%1行目が列の名前の行ではありません。1行目には、このプログラムが書き出す列の名前（%2）か、"
                "書き取りプリントの問題リストの列の名前（%3）が必要です")
                .arg(header.line)
                .arg(kColumns.join(u','), kPeerColumns.join(u','));
        return result;
    }
    result.kind = CsvKind::Workbook;
    return importWorkbookRows(reader, col, result, wb);
}

CsvImport readCsvFile(const QString& path, Workbook& wb) {
    CsvImport result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = path + QStringLiteral(" が見つかりません。");
        return result;
    }
    if (!info.isFile()) {
        result.error =
            path + (info.isDir() ? QStringLiteral(" はフォルダーです。ファイルではないため、読み込めません。")
                                 : QStringLiteral(" は普通のファイルではないため、読み込めません。"));
        return result;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.error =
            path + QStringLiteral(" を読み込めません。") + readFailureReason(path, f.errorString());
        return result;
    }
    QByteArray bytes;
    if (f.size() <= kMaxTextFileBytes) bytes = f.read(kMaxTextFileBytes + 1);
    if (f.size() > kMaxTextFileBytes || bytes.size() > kMaxTextFileBytes) {
        result.error = fileTooLargeMessage(path, std::max<qint64>(f.size(), bytes.size()));
        return result;
    }
    result = importCsv(bytes, info.completeBaseName(), wb);
    if (!result.ok()) result.error = path + QStringLiteral(": ") + result.error;
    return result;
}

QString rejectedRowsText(const CsvImport& result) {
    QStringList lines;
    for (const RejectedRow& r : result.rejected)
        lines << QStringLiteral("%1行目: %2").arg(r.line).arg(r.reason);
    const int more = result.rejectedCount - static_cast<int>(result.rejected.size());
    if (more > 0) lines << QStringLiteral("ほかに%1行を読み込めませんでした").arg(more);
    return lines.join(u'\n');
}

QString importSummary(const CsvImport& result) {
    QString s = QStringLiteral("%1問（%2ページ）を読み込みました。").arg(result.rowsRead).arg(result.pages);
    if (result.rejectedCount > 0)
        s += QStringLiteral("読み込めなかった行が%1行あります。").arg(result.rejectedCount);
    return s;
}

}  // namespace workbookcsv
