// The problem-file reader on any bytes: the first byte picks .mojx or .moj, the rest is the
// file. Checks: the checks a file passes when it is opened agree with the decoder; at most
// 201 pages; every page line is what its fields give; saving the pages and reading them back
// gives the same pages and the same lines.
#include <cstdint>

#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook.h"
#include "fuzz_check.h"

namespace {

// A text as it reads back after saving: the writer turns a double quote into "＂" and a line
// break into a blank.
QString asSaved(QString text) {
    for (QChar& c : text) {
        if (c == u'"')
            c = QChar(0xFF02);
        else if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool mojx = (data[0] & 1) != 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));

    const Cp932Check check = checkCp932Text(bytes);
    FUZZ_CHECK(check.text.has_value() == (check.kind == Cp932Check::Kind::Text));
    FUZZ_CHECK(check.text.has_value() == check.problem.isEmpty());
    FUZZ_CHECK(check.text || (check.badByte >= 0 && check.badByte < bytes.size()));

    // The reader itself also gets the texts the checks refuse (with NUL characters, say).
    const std::optional<QString> text = textcodec::decodeCp932(bytes);
    if (!text) return 0;
    // The tables are big; they live on, as the program's do, and only the heading list is
    // emptied before a read, as the open command does.
    static Workbook* first = new Workbook;
    static Workbook* again = new Workbook;
    first->headingList.clear();
    const PagesRead read = readPagesFromText(*first, *text, mojx);
    FUZZ_CHECK(read.pagesRead >= 0 && read.pagesRead <= kMaxPages);
    FUZZ_CHECK(read.pagesLeftOut == 0 || read.pagesRead == kMaxPages);
    FUZZ_CHECK(first->headingList.size() == read.pagesRead);

    QStringList lines;
    for (int p = 0; p < read.pagesRead; ++p) {
        const PageRecord& row = first->page(p);
        const QString& line = first->pageLines[static_cast<size_t>(p)];
        FUZZ_CHECK(line == pageLine(row, row[kFontField]));
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(first->headingList[p] == row[kHeadingField]);
        if (!mojx)
            for (int i = kMojFields; i < kPageRecordFields; ++i)
                FUZZ_CHECK(row[static_cast<size_t>(i)].isEmpty());
        lines << line;
    }

    // Save and read back.
    const std::optional<QByteArray> saved = encodeCp932Lines(lines);
    FUZZ_CHECK(saved.has_value());
    const std::optional<QString> savedText = textcodec::decodeCp932(*saved);
    FUZZ_CHECK(savedText.has_value());
    again->headingList.clear();
    const PagesRead back = readPagesFromText(*again, *savedText, true);
    FUZZ_CHECK(back.pagesRead == read.pagesRead);
    FUZZ_CHECK(back.pagesLeftOut == 0);
    for (int p = 0; p < read.pagesRead; ++p) {
        FUZZ_CHECK(again->pageLines[static_cast<size_t>(p)] == lines[p]);
        for (int i = 0; i < kMojxFields; ++i) {
            const QString expected = i == 1 ? QString() : asSaved(first->page(p)[static_cast<size_t>(i)]);
            FUZZ_CHECK(again->page(p)[static_cast<size_t>(i)] == expected);
        }
    }
    return 0;
}
