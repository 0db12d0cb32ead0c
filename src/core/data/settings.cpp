#include "data/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

#include "data/field_stream.h"
#include "data/problem_files.h"
#include "data/text_codec.h"

namespace {

bool holdsControlCharacter(const QString& value) {
    for (QChar c : value)
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) return true;
    return false;
}

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

std::optional<double> parseKanaOffset(QStringView text, bool* clamped) {
    if (clamped) *clamped = false;
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
    double v = QLocale::c().toDouble(t);
    if (std::isnan(v)) return std::nullopt;
    if (v > kKanaOffsetLimit || v < -kKanaOffsetLimit) {
        v = v > 0 ? kKanaOffsetLimit : -kKanaOffsetLimit;
        if (clamped) *clamped = true;
    }
    return v == 0 ? 0.0 : v;  // no "-0"
}

SettingsReadResult readSettingsBytes(const QByteArray& bytes, const QString& path) {
    SettingsReadResult r;
    QStringList problems;
    QString text;
    const qsizetype bad = firstBadByte(bytes);
    if (bad < 0) {
        text = textcodec::decodeCp932(bytes).value_or(QString());
    } else {
        // Keep the whole lines before the bad byte; the line holding it is not read.
        text = textcodec::decodeCp932(bytes.left(bad)).value_or(QString());
        qsizetype cut = text.size();
        while (cut > 0 && text[cut - 1] != u'\n' && text[cut - 1] != u'\r') --cut;
        text.truncate(cut);
        problems << QStringLiteral("%1バイト目から先がShift-JIS（コードページ932）のテキストではありません。")
                        .arg(bad + 1);
    }

    FieldStream in(text);
    auto refuse = [&](int line, const QString& why) {
        problems << QStringLiteral("%1行目の値（%2）は使えません。").arg(line).arg(why);
    };
    for (int line = 1; line <= 5; ++line) {
        bool ok = false;
        QString v = in.next(&ok);
        if (!ok) break;
        r.linesRead = line;
        if (holdsControlCharacter(v)) {
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
            if (company == kNoCompanyLine || kCompanyNames.contains(company))
                r.settings.companyLine = company;
            else
                refuse(line, QStringLiteral("教科書会社の名前ではない"));
            break;
        }
        case 5: r.settings.tracingLine = v; break;
        }
    }
    if (bad < 0 && !in.atEnd()) problems << QStringLiteral("6つ目から先の値は使いません。");

    if (!problems.isEmpty()) {
        r.readWhole = false;
        r.problem = QStringLiteral("設定ファイル %1 を全部は読めませんでした。").arg(path) + u'\n' +
                    problems.join(u'\n') + u'\n' +
                    QStringLiteral(
                        "読めた値を使い、ほかは初めの設定にします。元のファイルは、次に設定を保存する前に %1 "
                        "に写しておきます。")
                        .arg(settingsBackupPath(path));
    }
    return r;
}

SettingsReadResult readSettings(const QString& path) {
    SettingsReadResult r;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        r.fileNotFound = true;
        return r;
    }
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
        r.readWhole = false;
        r.problem = QStringLiteral("設定ファイル %1 を読めませんでした。初めの設定を使います。").arg(path);
        return r;
    }
    return readSettingsBytes(f.readAll(), path);
}

QString settingsBackupPath(const QString& path) {
    return path + QStringLiteral(".bak");
}

QString settingsNumber(double value) {
    const QString n = QString::number(value, 'g', 7);
    return (value < 0 ? QString() : QStringLiteral(" ")) + n + u' ';
}

bool writeSettings(const QString& path, const Settings& s, bool full, QString* error) {
    auto failed = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        QFile f(path);
        if (!info.isFile())
            return failed(path + QStringLiteral(" はファイルではないため、設定を保存できません。"));
        if (!f.open(QIODevice::ReadOnly))
            return failed(path + QStringLiteral(" を読めないため、控えを作れず、設定を保存しませんでした。"));
        const QByteArray old = f.readAll();
        QString reason;
        if (!readSettingsBytes(old, path).readWhole &&
            !writeFileAtomically(settingsBackupPath(path), old, &reason))
            return failed(settingsBackupPath(path) +
                          QStringLiteral(" に控えを保存できず、設定を保存しませんでした。") + reason);
    }
    const std::optional<QByteArray> bytes = settingsBytes(s, full);
    if (!bytes)
        return failed(QStringLiteral("設定の中に Shift-JIS（コードページ932）で書けない文字があるため、%1 "
                                     "に保存しませんでした。")
                          .arg(path));
    QString reason;
    if (!writeFileAtomically(path, *bytes, &reason))
        return failed(path + QStringLiteral(" に設定を保存できませんでした。") + reason);
    return true;
}

std::optional<QByteArray> settingsBytes(const Settings& s, bool full) {
    QStringList lines{encodeField(s.fontLine), settingsNumber(s.kanaOffset1), settingsNumber(s.kanaOffset2),
                      encodeField(s.companyLine)};
    if (full) lines << encodeField(s.tracingLine);
    return encodeCp932Lines(lines);
}
