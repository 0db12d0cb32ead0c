#include "core/data/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/text_codec.h"

namespace {

// The first byte that is not code page 932 text, or -1. A file saved as UTF-8 goes wrong at
// its first character outside ASCII, even where those bytes would pass for code page 932.
qsizetype firstBadByte(const QByteArray& bytes) {
    const Cp932Check check = checkCp932Text(bytes);
    switch (check.kind) {
    case Cp932Check::Kind::Text: return -1;
    case Cp932Check::Kind::Utf8:
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (static_cast<unsigned char>(bytes[i]) >= 0x80) return i;
        return 0;
    case Cp932Check::Kind::Nul: {
        // A NUL byte is a character here; only the value holding it is refused.
        qsizetype bad = 0;
        return textcodec::decodeCp932(bytes, &bad) ? -1 : bad;
    }
    case Cp932Check::Kind::Utf16:
    case Cp932Check::Kind::NotCp932: break;
    }
    return check.badByte;
}

}  // namespace

QString settingsText(const QByteArray& bytes, QString* problem) {
    const qsizetype bad = firstBadByte(bytes);
    if (bad < 0) return textcodec::decodeCp932(bytes).value_or(QString());
    // Keep the whole lines before the bad byte; the line holding it is not read.
    QString text = textcodec::decodeCp932(bytes.left(bad)).value_or(QString());
    qsizetype cut = text.size();
    while (cut > 0 && text[cut - 1] != u'\n' && text[cut - 1] != u'\r') --cut;
    text.truncate(cut);
    if (problem)
        *problem = QStringLiteral("%1バイト目から先がShift-JIS（コードページ932）のテキストではありません。")
                       .arg(bad + 1);
    return text;
}

std::optional<QString> settingsTextToRead(const QByteArray& bytes, const QString& path, QStringList& problems,
                                          const QString& writePath) {
    if (bytes.size() > kMaxSettingsFileBytes) {
        problems << settingsFileTooLargeProblem(path, bytes.size(), writePath);
        return std::nullopt;
    }
    QString badBytes;
    QString text = settingsText(bytes, &badBytes);
    if (!badBytes.isEmpty()) problems << badBytes;
    return text;
}

QString refusedValueProblem(int line, const QString& why) {
    return QStringLiteral("%1行目の値（%2）は使えません。").arg(line).arg(why);
}

bool holdsSettingsControlCharacter(const QString& value) {
    for (QChar c : value)
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) return true;
    return false;
}

std::optional<double> parseSettingsNumber(QStringView text) {
    const QStringView t = text.trimmed();
    // [+-]digits[.digits][e[+-]digits], at least one digit before the exponent
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && t[i] >= u'0' && t[i] <= u'9') ++i;
        return i - from;
    };
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    qsizetype mantissa = digits();
    if (i < n && t[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    // The C locale's reading, whatever the user's locale (a decimal comma, say); an overflow
    // gives an infinity, an underflow 0.
    const double v = QLocale::c().toDouble(t);
    if (std::isnan(v)) return std::nullopt;
    return v == 0 ? 0.0 : v;  // no "-0"
}

std::optional<double> parseKanaOffset(QStringView text, bool* clamped) {
    if (clamped) *clamped = false;
    std::optional<double> parsed = parseSettingsNumber(text);
    if (!parsed) return std::nullopt;
    double v = *parsed;
    if (v > kKanaOffsetLimit || v < -kKanaOffsetLimit) {
        v = v > 0 ? kKanaOffsetLimit : -kKanaOffsetLimit;
        if (clamped) *clamped = true;
    }
    return v == 0 ? 0.0 : v;  // no "-0"
}

SettingsReadResult readSettingsBytes(const QByteArray& bytes, const QString& path, const QString& writePath) {
    SettingsReadResult r;
    QStringList problems;
    const std::optional<QString> text = settingsTextToRead(bytes, path, problems, writePath);
    if (!text) {
        r.readWhole = false;
        r.problem = problems.value(0);
        return r;
    }
    const bool bad = !problems.isEmpty();

    FieldStream in(*text);
    auto refuse = [&](int line, const QString& why) { problems << refusedValueProblem(line, why); };
    for (int line = 1; line <= 5; ++line) {
        bool ok = false;
        QString v = in.next(&ok);
        if (!ok) break;
        r.linesRead = line;
        if (holdsSettingsControlCharacter(v)) {
            refuse(line, QStringLiteral("制御文字を含む"));
            continue;
        }
        switch (line) {
        case 1: r.settings.fontLine = v; break;
        case 2:
        case 3: {
            if (v.trimmed().isEmpty()) break;
            bool clamped = false;
            const std::optional<double> offset = parseKanaOffset(v, &clamped);
            if (!offset)
                refuse(line, QStringLiteral("数ではない"));
            else if (clamped)
                problems << QStringLiteral("%1行目の値を%2にしました。").arg(line).arg(*offset);
            (line == 2 ? r.settings.kanaOffset1 : r.settings.kanaOffset2) = offset.value_or(0);
            break;
        }
        case 4: {
            const QString company = v.trimmed();
            if (company.isEmpty()) break;
            if (company == kNoCompany || kCompanyNames.contains(company))
                r.settings.companyLine = company;
            else
                refuse(line, QStringLiteral("教科書会社の名前ではない"));
            break;
        }
        case 5: r.settings.tracingLine = v; break;
        }
    }
    if (!bad && !in.atEnd()) problems << QStringLiteral("6つ目から先の値は使いません。");

    if (!problems.isEmpty()) {
        r.readWhole = false;
        r.problem = partlyReadProblem(QStringLiteral("設定ファイル"), path, problems, writePath);
    }
    return r;
}

SettingsReadResult readSettings(const QString& path, const QString& writePath) {
    const SettingsFileBytes file = openSettingsFile(
        path, QStringLiteral("設定ファイル %1 を読めませんでした。初めの設定を使います。").arg(path),
        writePath);
    if (file.found && file.problem.isEmpty()) return readSettingsBytes(file.bytes, path, writePath);
    SettingsReadResult r;
    r.fileNotFound = !file.found;
    r.readWhole = !file.found;
    r.problem = file.problem;
    return r;
}

SettingsFileBytes openSettingsFile(const QString& path, const QString& cannotRead, const QString& writePath) {
    SettingsFileBytes file;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return file;
    file.found = true;
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        file.problem = cannotRead;
    else if (f.size() > kMaxSettingsFileBytes)
        file.problem = settingsFileTooLargeProblem(path, f.size(), writePath);
    else
        file.bytes = f.read(kMaxSettingsFileBytes + 1);
    return file;
}

QString partlyReadProblem(const QString& what, const QString& path, const QStringList& problems,
                          const QString& writePath) {
    return QStringLiteral("%1 %2 を全部は読めませんでした。").arg(what, path) + u'\n' + problems.join(u'\n') +
           u'\n' + QStringLiteral("読めた値を使い、ほかは初めの設定にします。") +
           settingsFileFate(path, writePath, false);
}

QString settingsFileTooLargeProblem(const QString& path, qint64 size, const QString& writePath) {
    return QStringLiteral(
               "設定ファイル %1 は%2バイトあり、設定ファイルにしては大きすぎるため、読みませんでした。"
               "初めの設定を使います。")
               .arg(path)
               .arg(size) +
           settingsFileFate(path, writePath, true);
}

QString settingsFileFate(const QString& path, const QString& writePath, bool tooLarge) {
    // The settings are written to one place (the configuration folder); a file read from
    // another (the current folder's shared set-up) is never changed.
    if (writePath.isEmpty() || isSameFile(writePath, path))
        return QStringLiteral("元のファイルは、次に設定を保存する前に %1 に%2おきます。")
            .arg(settingsBackupPath(path), tooLarge ? QStringLiteral("移して") : QStringLiteral("写して"));
    return QStringLiteral(
               "このファイルは変更しません。設定は %1 に保存します"
               "（このフォルダーで起動すると、次もこのファイルが先に読まれます）。")
        .arg(writePath);
}

bool keepSettingsFileBeforeReplacing(const QString& path,
                                     const std::function<bool(const QByteArray&)>& readsWhole,
                                     QString* error) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return true;
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = info.isDir() ? QStringLiteral("%1 はフォルダーです。").arg(path)
                                  : QStringLiteral("%1 を読めません。").arg(path) + f.errorString();
        return false;
    }
    const QString backup = settingsBackupPath(path);
    if (f.size() > kMaxSettingsFileBytes) {
        // Not a settings file: it is set aside whole, without reading it into memory.
        f.close();
        if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(backup).constData()) != 0) {
            if (error)
                *error = QStringLiteral("%1 を %2 に移せません。").arg(path, backup) + fileErrorReason(errno);
            return false;
        }
        return true;
    }
    const QByteArray old = f.read(kMaxSettingsFileBytes + 1);
    if (readsWhole(old)) return true;
    QString why;
    if (!writeFileAtomically(backup, old, &why)) {
        if (error) *error = QStringLiteral("%1 に元のファイルを写せません。").arg(backup) + why;
        return false;
    }
    return true;
}

QString settingsBackupPath(const QString& path) {
    return path + QStringLiteral(".bak");
}

QString settingsNumber(double value) {
    const QString n = QString::number(value, 'g', 7);
    return (value < 0 ? QString() : QStringLiteral(" ")) + n + u' ';
}

bool writeSettings(const QString& path, const Settings& s, bool full, QString* error) {
    // Every failure names the file and says why.
    const auto failed = [&](const QString& why) {
        if (error) *error = path + QStringLiteral(" に設定を保存できませんでした。") + why;
        return false;
    };
    const auto readsWhole = [&](const QByteArray& old) { return readSettingsBytes(old, path).readWhole; };
    QString why;
    if (!keepSettingsFileBeforeReplacing(path, readsWhole, &why)) return failed(why);
    const std::optional<QByteArray> bytes = settingsBytes(s, full);
    if (!bytes)
        return failed(QStringLiteral("次の文字はファイルに保存できません。") +
                      textcodec::unencodableCharacters(s.fontLine + s.companyLine + s.tracingLine));
    if (!writeFileAtomically(path, *bytes, &why)) return failed(why);
    return true;
}

std::optional<QByteArray> settingsBytes(const Settings& s, bool full) {
    QStringList lines{encodeField(s.fontLine), settingsNumber(s.kanaOffset1), settingsNumber(s.kanaOffset2),
                      encodeField(s.companyLine)};
    if (full) lines << encodeField(s.tracingLine);
    return encodeCp932Lines(lines);
}

bool readFuriganaAuto(const QString& path) {
    QFile options(path);
    return options.open(QIODevice::ReadOnly) && options.size() <= kMaxSettingsFileBytes &&
           options.read(kMaxSettingsFileBytes).contains("furigana-auto=1");
}

bool writeFuriganaAuto(const QString& path, bool on, QString* error) {
    QString why;
    if (writeFileAtomically(path, on ? "furigana-auto=1\r\n" : "furigana-auto=0\r\n", &why)) return true;
    if (error) *error = path + QStringLiteral(" に設定を保存できませんでした。") + why;
    return false;
}

ProgramOptions readProgramOptions(const QString& path) {
    ProgramOptions o;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSettingsFileBytes) return o;
    const QList<QByteArray> lines = file.read(kMaxSettingsFileBytes).split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QByteArray key = line.left(eq).trimmed(), value = line.mid(eq + 1).trimmed();
        const auto flag = [&](bool& f) {
            if (value == "1" || value == "0") f = value == "1";
        };
        if (key == "furigana-auto") flag(o.furiganaAuto);
        if (key == "ruby-unlearned") flag(o.rubyUnlearned);
        if (key == "leak-kana") flag(o.leakKana);
        if (key == "print-key") flag(o.printKey);
        if (key == "grade" && value.size() == 1 && value[0] >= '0' && value[0] <= '6')
            o.grade = value[0] - '0';
    }
    return o;
}

bool writeProgramOptions(const QString& path, const ProgramOptions& o, QString* error) {
    const auto flag = [](bool on) { return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0"); };
    const QByteArray bytes =
        "furigana-auto=" + flag(o.furiganaAuto) + "\r\ngrade=" + QByteArray::number(o.grade) +
        "\r\nruby-unlearned=" + flag(o.rubyUnlearned) + "\r\nleak-kana=" + flag(o.leakKana) +
        "\r\nprint-key=" + flag(o.printKey) + "\r\n";
    QString why;
    if (writeFileAtomically(path, bytes, &why)) return true;
    if (error) *error = path + QStringLiteral(" に設定を保存できませんでした。") + why;
    return false;
}
