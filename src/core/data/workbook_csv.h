// A workbook as a CSV file a spreadsheet opens, and CSV files back into a workbook: the
// program's own CSV (one row per problem) and the problem lists of a dictation-sheet program
// (学年,問題文,答え,...), whose sentences mark the answer's box as [よみ].
//
// Written: UTF-8 with a byte order mark (so a spreadsheet shows the Japanese), CR LF, a header
// row of Japanese column names, then ten rows for every page, fields quoted as RFC 4180 says
// (a comma, a double quote or a line break inside a field survives). Read: UTF-8 (with or
// without the mark) or Shift_JIS (code page 932), told apart by the bytes; the header row
// says which kind of CSV it is. Rows that cannot be taken are listed with their line numbers
// and the rest is read; a file that cannot be read at all gives a message and no workbook.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <utility>
#include <vector>

#include "core/data/workbook.h"

namespace workbookcsv {

// The columns of the program's own CSV, in the order written.
inline const QStringList kColumns = {
    QStringLiteral("ページ"),         QStringLiteral("行"),           QStringLiteral("見出し"),
    QStringLiteral("前の文"),         QStringLiteral("漢字"),         QStringLiteral("読み"),
    QStringLiteral("後の文"),         QStringLiteral("２語目の漢字"), QStringLiteral("２語目の読み"),
    QStringLiteral("２語目の後の文"), QStringLiteral("フォント"),     QStringLiteral("付記"),
};
// The header of the dictation-sheet program's problem lists.
inline const QStringList kPeerColumns = {
    QStringLiteral("学年"),     QStringLiteral("問題文"),     QStringLiteral("答え"), QStringLiteral("番号"),
    QStringLiteral("管理番号"), QStringLiteral("最終更新日"), QStringLiteral("結果"), QStringLiteral("履歴"),
};
inline const QString kCsvFilter = QStringLiteral("CSVファイル(*.csv)|*.csv|");

// Columns past this many in a row are not kept (none of the columns read lies beyond).
inline constexpr int kMaxColumns = 64;
// Rows listed one by one in a report; the rest are counted.
inline constexpr int kMaxListedRows = 200;

// --- writing ---

// The CSV of page lines (problem-file lines of 74 fields, as saving writes them): the byte
// order mark, the header and ten rows a page.
QByteArray csvFromPageLines(const QStringList& pageLines);
// The CSV of the workbook's pageCount pages.
QByteArray workbookToCsv(const Workbook& workbook);
// Writes the CSV of pageLines to path, replacing it atomically. False and the reason in
// message (Japanese) when nothing could be written, also when the CSV would be larger than
// the 8 MiB a CSV file is read up to.
bool writeCsvFile(const QString& path, const QStringList& pageLines, QString* message);
// One CSV field as written: quoted when it holds a comma, a double quote, a line break or
// blanks at either end, a double quote doubled.
QString quoteField(const QString& text);

// --- reading ---

// One record of a CSV text: the line it starts on (1 for the first) and its fields.
struct CsvRecord {
    int line = 0;
    QStringList fields;
    bool unclosedQuote = false;  // a quoted field ran to the end of the text
    int droppedFields = 0;       // fields past kMaxColumns
};

// Reads the records of a CSV text one by one (RFC 4180: commas, CR LF, LF or CR line ends,
// double quotes around a field, "" for a quote inside one). A quote inside an unquoted field
// and text after a closing quote are taken as they are.
class CsvReader {
public:
    explicit CsvReader(QString text) : text_(std::move(text)) {}
    // False at the end of the text.
    bool next(CsvRecord& record);

private:
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

enum class CsvKind { Workbook, Peer };

struct RejectedRow {
    int line = 0;
    QString reason;
};

struct CsvImport {
    QString error;  // not empty: the file was not read and the workbook is untouched
    CsvKind kind = CsvKind::Workbook;
    QString encoding;  // "UTF-8" or "Shift_JIS"
    int rowsRead = 0;  // problem rows taken
    int pages = 0;
    std::vector<RejectedRow> rejected;  // the first kMaxListedRows rows not taken
    int rejectedCount = 0;              // all of them
    bool ok() const { return error.isEmpty(); }
};

// Decodes a CSV file's bytes: UTF-8 (a byte order mark is dropped) or, failing that,
// Shift_JIS. Empty with a message when the bytes are neither (or UTF-16, or hold NUL bytes).
struct DecodedCsv {
    QString text;
    QString encoding;
    QString error;
};
DecodedCsv decodeCsvBytes(const QByteArray& bytes);

// Reads a CSV's bytes into workbook, which must be fresh: pages 0.. of its page table, the
// heading list, the page lines and pageCount. sourceName (the file's name without folder
// and ending) heads the pages of a problem list that gives no grade. Refused, with the
// workbook untouched: bytes that are no text, a first row that is neither header, a file
// that makes more than 201 pages, and a file of which no row can be taken.
CsvImport importCsv(const QByteArray& bytes, const QString& sourceName, Workbook& workbook);
// The same for a file: a missing file, a folder and a file larger than 8 MiB are refused
// before a byte is read.
CsvImport readCsvFile(const QString& path, Workbook& workbook);

// What the teacher is told of the rows not taken: one line each, "12行目: reason", then
// "ほかにN行" when more were left out than are listed. Empty when every row was taken.
QString rejectedRowsText(const CsvImport& result);
// "25問（3ページ）を読み込みました。" with the rows not taken counted.
QString importSummary(const CsvImport& result);

}  // namespace workbookcsv
