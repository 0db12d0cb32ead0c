// The file merge tool's reader and its renumbering on any file and any suffix (the input is
// the file's bytes, then 0xFF, then the suffix in UTF-8). Checks: a file that reads gives
// page lines without line ends or blank lines, and those lines written and read again are the
// same; renumbering keeps the number of lines, puts the numbers from n down to 1 with the
// suffix in front of each (a suffix with a comma or blanks at its end in a quoted heading),
// and, for any suffix the merge accepts, changes no field but the heading.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>

#include "core/data/field_stream.h"
#include "core/data/file_merge.h"
#include "core/data/problem_files.h"
#include "fuzz_check.h"

namespace {

// In memory where the system offers it (the reader takes a path): a run writes two files.
QString scratchFile(int which) {
    const QDir shm(QStringLiteral("/dev/shm"));
    const QDir dir = shm.exists() && QFileInfo(shm.path()).isWritable() ? shm : QDir::temp();
    return dir.filePath(QStringLiteral("jirakubo-merge-fuzz-%1-%2.moj").arg(getpid()).arg(which));
}

// The scratch files go when the run ends.
struct ScratchFiles {
    ~ScratchFiles() {
        QFile::remove(scratchFile(0));
        QFile::remove(scratchFile(1));
    }
};

filemerge::PageLines readBytes(const QByteArray& bytes, int which) {
    static ScratchFiles cleanUp;
    const QString path = scratchFile(which);
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
    f.close();
    return filemerge::readPageLines(path);
}

QStringList fieldsOf(const QString& line) {
    FieldStream in(line);
    QStringList fields;
    for (bool ok = true; ok;) {
        const QString f = in.next(&ok);
        if (ok) fields << f;
    }
    return fields;
}

// A suffix the record takes as part of its heading: no separator, quote or line end, and no
// blank at either end (the reader drops leading blanks).
bool plainSuffix(const QString& s) {
    for (QChar c : s)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') return false;
    return s == s.trimmed();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = all.indexOf('\xFF');
    const QByteArray file = cut < 0 ? all : all.left(cut);
    const QString suffix = cut < 0 ? QStringLiteral("級") : QString::fromUtf8(all.mid(cut + 1));

    const filemerge::PageLines read = readBytes(file, 0);
    if (!read.error.isEmpty()) {
        FUZZ_CHECK(read.lines.isEmpty());
        return 0;
    }
    for (const QString& line : read.lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(!line.trimmed().isEmpty());
    }
    const std::optional<QByteArray> written = encodeCp932Lines(read.lines);
    FUZZ_CHECK(written.has_value());
    FUZZ_CHECK(readBytes(*written, 1).lines == read.lines);

    const QStringList out = filemerge::renumberHeadings(read.lines, suffix);
    const int n = static_cast<int>(read.lines.size());
    FUZZ_CHECK(out.size() == n);
    for (int i = 0; i < n; ++i) {
        // A suffix with a comma or blanks at its end makes a quoted heading field.
        if (plainSuffix(suffix)) FUZZ_CHECK(out[i].startsWith(filemerge::fullWidthNumber(n - i) + suffix));
        if (filemerge::unusableSuffixCharacter(suffix)) continue;  // refused before renumbering
        const QStringList before = fieldsOf(read.lines[i]);
        const QStringList after = fieldsOf(out[i]);
        FieldStream heading(read.lines[i]);
        heading.nextView();
        if (!heading.lastSpan().endedByComma) continue;  // a heading alone on its line
        FUZZ_CHECK(after.value(0) == filemerge::fullWidthNumber(n - i) + suffix);
        FUZZ_CHECK(after.mid(1) == before.mid(1));
    }
    return 0;
}
