#include "data/reading_proposer.h"

#include <mecab.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <mutex>
#include <string_view>

#include "data/text_codec.h"

namespace {

const QString kUnavailable = QStringLiteral(
    "MeCab の IPA 辞書（UTF-8）が見つからないため、ふりがなを提案できません。"
    "パッケージ mecab-ipadic-utf8 を入れてください。");

// Hiragana a problem file can hold (not ゔ, ゕ, ゖ, which code page 932 lacks), and ー.
bool isFuriganaKana(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x3093) || u == 0x309D || u == 0x309E || u == 0x30FC;
}

bool isKana(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x3096) || (u >= 0x309D && u <= 0x309E) || (u >= 0x30A1 && u <= 0x30FA) ||
           (u >= 0x30FC && u <= 0x30FE) || (u >= 0xFF66 && u <= 0xFF9F);
}

bool allOf(const QString& s, bool (*pred)(QChar)) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (!pred(c)) return false;
    return true;
}

bool allSpace(const QString& s) {
    for (QChar c : s)
        if (!c.isSpace()) return false;
    return true;
}

// One MeCab token: its bytes in the sentence and the feature fields the proposer reads.
struct Token {
    qsizetype begin = 0, end = 0;
    QString surface, pos, pos1, pos2;
    std::optional<QString> reading;  // hiragana

    bool is(const char16_t* p, const char16_t* p1 = nullptr) const {
        return pos == QStringView(p) && (!p1 || pos1 == QStringView(p1));
    }
    bool isNumber() const { return is(u"名詞", u"数"); }
    bool isCounter() const { return is(u"名詞", u"接尾") && pos2 == u"助数詞"; }
    bool isSuffix(const char16_t* s) const { return is(u"名詞", u"接尾") && surface == QStringView(s); }
};

// Consecutive tokens read as one: a number with its counter, or a single token.
struct Unit {
    qsizetype begin = 0, end = 0;
    std::optional<QString> reading;
    bool guessed = false;  // MeCab's reading is a guess here: propose nothing
};

Token makeToken(const MeCab::Node* node, const char* sentence) {
    Token t;
    t.begin = node->surface - sentence;
    t.end = t.begin + node->length;
    t.surface = QString::fromUtf8(node->surface, node->length);
    // ipadic: pos, pos1, pos2, pos3, conjugation type, form, base form, reading, pronunciation
    std::string_view feature(node->feature ? node->feature : "");
    int index = 0;
    while (index <= 7) {
        const size_t comma = feature.find(',');
        const std::string_view field = feature.substr(0, comma);
        const QString text = QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
        if (index == 0) t.pos = text;
        if (index == 1) t.pos1 = text;
        if (index == 2) t.pos2 = text;
        if (index == 7 && !text.isEmpty() && text != u"*" && !field.starts_with('"'))
            t.reading = textcodec::widenToHiragana(text);
        if (comma == std::string_view::npos) break;
        feature.remove_prefix(comma + 1);
        ++index;
    }
    // A word MeCab does not know has no reading; kana read as they are written.
    if (!t.reading && allOf(t.surface, isKana)) t.reading = textcodec::widenToHiragana(t.surface);
    return t;
}

QChar lastDigit(const QString& number) {
    static const QString digits = QStringLiteral("〇一二三四五六七八九");
    QChar c = number.isEmpty() ? QChar() : number.back();
    if (c >= u'０' && c <= u'９') return digits[c.unicode() - u'０'];
    if (c >= u'0' && c <= u'9') return digits[c.unicode() - u'0'];
    return c;
}

bool isArabic(const QString& number) {
    for (QChar c : number)
        if ((c >= u'０' && c <= u'９') || (c >= u'0' && c <= u'9')) return true;
    return false;
}

// Whether reading starts with a kana of the given rows: k, s, t, h (with p, the unvoiced
// sounds where いち, はち, じゅう turn into いっ, はっ, じゅっ) and m.
bool startsWithRow(const QString& reading, const QString& rows) {
    if (reading.isEmpty()) return false;
    static const QHash<QChar, QChar> rowOf = [] {
        QHash<QChar, QChar> h;
        const auto add = [&](QChar row, const char16_t* kana) {
            for (const char16_t* k = kana; *k; ++k) h.insert(QChar(*k), row);
        };
        add(u'k', u"かきくけこ");
        add(u's', u"さしすせそ");
        add(u't', u"たちつてと");
        add(u'h', u"はひふへほぱぴぷぺぽ");
        add(u'm', u"まみむめも");
        return h;
    }();
    const QChar row = rowOf.value(reading.front());
    return !row.isNull() && rows.contains(row);
}

// Which sides of a number and what follows it may sound different from MeCab's reading
// of each on its own: 一本 is いっぽん (both), 三本 さんぼん (the counter), 四人 よにん (the
// number), 二本 にほん (neither).
struct SoundChange {
    bool left = false, right = false;
};

SoundChange soundChange(const Token& left, const Token& right) {
    constexpr SoundChange none{}, both{true, true}, leftOnly{true, false}, rightOnly{false, true};
    const QChar last = lastDigit(left.surface);
    const QString next = right.reading.value_or(QString());
    if (right.isNumber()) {
        if (isArabic(left.surface) || isArabic(right.surface)) return both;  // read digit by digit
        if (right.surface == u"百" || right.surface == u"千")                // さんびゃく, はっせん
            return QStringView(u"一三六八何").contains(last) ? both : none;
        return none;
    }
    if (QStringView(u"二五").contains(last)) return none;
    if (last == u'四')  // よんかい, よんさい, よんまい; but よにん, よねん, よじ, よんぷん
        return startsWithRow(next, QStringLiteral("kstm")) ? none : both;
    if (last == u'九') return right.surface == u"時" ? leftOnly : none;  // くじ
    if (QStringView(u"七〇零").contains(last)) return both;              // なな or しち
    if (QStringView(u"三千万何").contains(last))  // さんぼん, さんがい, さんぞく
        return startsWithRow(next, QStringLiteral("kh")) || right.surface == u"足" ? rightOnly : none;
    if (QStringView(u"六百").contains(last))  // ろっかい, ひゃっぽん; ろくさい, ひゃくてん
        return startsWithRow(next, QStringLiteral("kh")) ? both : none;
    return startsWithRow(next, QStringLiteral("ksth")) ? both : none;  // いっさつ, はっとう, じゅっぽん
}

// Readings of days and people that do not follow from their parts.
std::optional<QString> irregularCount(const QString& number, const QString& counter) {
    static const QHash<QString, QString> days{{QStringLiteral("二"), QStringLiteral("ふつか")},
                                              {QStringLiteral("三"), QStringLiteral("みっか")},
                                              {QStringLiteral("四"), QStringLiteral("よっか")},
                                              {QStringLiteral("五"), QStringLiteral("いつか")},
                                              {QStringLiteral("六"), QStringLiteral("むいか")},
                                              {QStringLiteral("七"), QStringLiteral("なのか")},
                                              {QStringLiteral("八"), QStringLiteral("ようか")},
                                              {QStringLiteral("九"), QStringLiteral("ここのか")},
                                              {QStringLiteral("十"), QStringLiteral("とおか")},
                                              {QStringLiteral("二十"), QStringLiteral("はつか")},
                                              {QStringLiteral("十四"), QStringLiteral("じゅうよっか")},
                                              {QStringLiteral("二十四"), QStringLiteral("にじゅうよっか")}};
    static const QHash<QString, QString> people{{QStringLiteral("一"), QStringLiteral("ひとり")},
                                                {QStringLiteral("二"), QStringLiteral("ふたり")}};
    if (counter == u"日" && days.contains(number)) return days.value(number);
    if (counter == u"人" && people.contains(number)) return people.value(number);
    return std::nullopt;
}

// Groups the tokens into units and marks where MeCab's reading cannot be trusted.
std::vector<Unit> readingUnits(const std::vector<Token>& tokens) {
    const size_t n = tokens.size();
    std::vector<Unit> units;
    std::vector<bool> guessed(n, false);
    std::vector<std::optional<QString>> readings(n);
    std::vector<size_t> unitEnd(n);  // a unit runs from token i to token unitEnd[i]
    for (size_t i = 0; i < n; ++i) {
        readings[i] = tokens[i].reading;
        unitEnd[i] = i;
    }
    const auto adjacent = [&](size_t i) { return i + 1 < n && tokens[i].end == tokens[i + 1].begin; };

    // Numbers and their counters.
    for (size_t i = 0; i < n; ++i) {
        if (!tokens[i].isNumber()) continue;
        size_t last = i;
        QString number = tokens[i].surface;
        while (adjacent(last) && tokens[last + 1].isNumber()) number += tokens[++last].surface;
        const size_t lastNumber = last;
        if (adjacent(last) && tokens[last + 1].isCounter()) ++last;
        const QString counter = last > lastNumber ? tokens[last].surface : QString();
        if (number == u"一" && counter == u"日") {
            // ついたち or いちにち; in 一日中 (all day long) it is いちにち.
            unitEnd[i] = last;
            if (adjacent(last) && tokens[last + 1].isSuffix(u"中")) {
                readings[i] = QStringLiteral("いちにち");
                readings[last + 1] = QStringLiteral("じゅう");
            } else {
                guessed[i] = true;
            }
        } else if (const auto r = irregularCount(number, counter)) {
            unitEnd[i] = last;
            readings[i] = r;
        } else {
            for (size_t k = i; k < last; ++k) {
                const SoundChange c = soundChange(tokens[k], tokens[k + 1]);
                if (c.left) guessed[k] = true;
                if (c.right) guessed[k + 1] = true;
            }
        }
        i = last;
    }

    // Words whose reading MeCab picks without looking at the context.
    for (size_t i = 0; i < n; ++i) {
        const Token& t = tokens[i];
        const Token* prev = i > 0 ? &tokens[i - 1] : nullptr;
        const Token* next = i + 1 < n ? &tokens[i + 1] : nullptr;
        if (t.isSuffix(u"中")) {
            // ちゅう (午前中) or じゅう (世界中)
            if (readings[i] != QStringLiteral("じゅう")) guessed[i] = true;
        } else if (t.surface == u"方" && t.pos1 == u"非自立" && prev && prev->pos == u"連体詞") {
            guessed[i] = true;  // あの方 (かた) or この方 (ほう)
        } else if (t.surface == u"上手" || t.surface == u"下手") {
            // じょうず/へた in 上手な, 上手に, 上手だ; かみて/しもて, うわて/したて elsewhere
            guessed[i] =
                !(next && (next->pos == u"助動詞" ||
                           (next->pos == u"助詞" && (next->surface == u"に" || next->surface == u"な"))));
        } else if (t.surface == u"今日" && next && next->surface == u"は") {
            // 今日は on its own is the greeting こんにちは
            const Token* after = i + 2 < n ? &tokens[i + 2] : nullptr;
            guessed[i] = !after || after->pos == u"記号";
        }
    }

    for (size_t i = 0; i < n; i = unitEnd[i] + 1) {
        Unit u{tokens[i].begin, tokens[unitEnd[i]].end, readings[i], false};
        for (size_t k = i; k <= unitEnd[i]; ++k) u.guessed = u.guessed || guessed[k];
        units.push_back(u);
    }
    return units;
}

// The MeCab arguments for a dictionary folder; none for the mecab command's own choice.
std::vector<std::string> mecabArguments(const QString& dir) {
    std::vector<std::string> args{"jirakubo"};
    if (!dir.isEmpty()) {
        const QByteArray d = QFile::encodeName(QDir::cleanPath(dir));
        args.insert(args.end(), {"-r", (d + "/dicrc").toStdString(), "-d", d.toStdString()});
    }
    return args;
}

}  // namespace

struct ReadingProposer::Impl {
    std::unique_ptr<MeCab::Model> model;
    std::unique_ptr<MeCab::Tagger> tagger;
    std::unique_ptr<MeCab::Lattice> lattice;
    QString message;
    QString dictionaryFile;
    std::mutex mutex;

    std::vector<Token> tokenize(const QByteArray& sentence) {
        std::vector<Token> tokens;
        lattice->set_sentence(sentence.constData(), static_cast<size_t>(sentence.size()));
        if (!tagger->parse(lattice.get())) return tokens;
        const char* base = lattice->sentence();
        for (const MeCab::Node* node = lattice->bos_node(); node; node = node->next) {
            if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
            tokens.push_back(makeToken(node, base));
        }
        return tokens;
    }

    // Opens the dictionary in dir; a reason when it is missing or not the UTF-8 IPA dictionary.
    std::optional<QString> open(const QString& dir) {
        std::vector<std::string> args = mecabArguments(dir);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        std::unique_ptr<MeCab::Model> m(MeCab::createModel(static_cast<int>(argv.size()), argv.data()));
        if (!m) return QString::fromUtf8(MeCab::getLastError()).trimmed();
        const MeCab::DictionaryInfo* info = m->dictionary_info();
        const QString file = info && info->filename ? QFile::decodeName(info->filename) : QString();
        const QString charset = info && info->charset ? QString::fromLatin1(info->charset) : QString();
        if (charset.toLower().remove(u'-') != u"utf8")
            return QStringLiteral("%1: the dictionary is in %2, not UTF-8").arg(file, charset);
        model = std::move(m);
        tagger.reset(model->createTagger());
        lattice.reset(model->createLattice());
        // The IPA dictionary has the reading in field 7: 漢字 is カンジ.
        const std::vector<Token> probe =
            tagger && lattice ? tokenize(QByteArrayLiteral("漢字")) : std::vector<Token>{};
        if (probe.size() != 1 || probe[0].reading != QStringLiteral("かんじ")) {
            lattice.reset();
            tagger.reset();
            model.reset();
            return QStringLiteral("%1: not the IPA dictionary (no reading in the seventh feature)").arg(file);
        }
        dictionaryFile = file;
        return std::nullopt;
    }
};

ReadingProposer::ReadingProposer() : ReadingProposer(defaultDictionaryDirs()) {}

ReadingProposer::ReadingProposer(const QStringList& dictionaryDirs) : d(std::make_unique<Impl>()) {
    QStringList reasons;
    for (const QString& dir : dictionaryDirs) {
        const std::optional<QString> reason = d->open(dir);
        if (!reason) return;
        reasons << (dir.isEmpty() ? QStringLiteral("mecabrc: ") : QString()) + *reason;
    }
    d->message = kUnavailable + u'\n' + reasons.join(u'\n');
}

ReadingProposer::~ReadingProposer() = default;

QStringList ReadingProposer::defaultDictionaryDirs() {
    return {QString(), QStringLiteral("/var/lib/mecab/dic/ipadic-utf8"),
            QStringLiteral("/usr/lib/x86_64-linux-gnu/mecab/dic/ipadic-utf8"),
            QStringLiteral("/usr/lib/mecab/dic/ipadic-utf8"),
            QStringLiteral("/usr/local/lib/mecab/dic/ipadic")};
}

ReadingProposer& ReadingProposer::shared() {
    static ReadingProposer proposer;
    return proposer;
}

bool ReadingProposer::isAvailable() const {
    return d->tagger != nullptr;
}

QString ReadingProposer::unavailableMessage() const {
    return d->message;
}

QString ReadingProposer::dictionaryFile() const {
    return d->dictionaryFile;
}

namespace {
// The characters of text either side of a word MeCab is given, and the longest word asked
// about: far more than any sentence of a worksheet.
constexpr qsizetype kMaxContext = 256;
}  // namespace

std::optional<QString> ReadingProposer::propose(const QString& before, const QString& kanji,
                                                const QString& after) const {
    // A blank inside the word cuts it in two for MeCab (山 田 would read やまた).
    const QString trimmed = kanji.trimmed();
    if (!d->tagger || trimmed.isEmpty() || kanji.size() > kMaxContext ||
        std::any_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c.isSpace(); }))
        return std::nullopt;
    // MeCab reads a word from the text near it; a sentence of a million characters would cost
    // a lattice of gigabytes. Only the nearest part of the text either side is given.
    const QByteArray head = QStringView(before).right(kMaxContext).toUtf8();
    const QByteArray word = kanji.toUtf8();
    const QByteArray sentence = head + word + QStringView(after).left(kMaxContext).toUtf8();
    const qsizetype start = head.size();
    const qsizetype end = start + word.size();

    std::lock_guard lock(d->mutex);  // one lattice; the kana conversion is not shared safely either
    const std::vector<Token> tokens = d->tokenize(sentence);
    const auto text = [&](qsizetype from, qsizetype to) {
        return QString::fromUtf8(sentence.constData() + from, to - from);
    };

    QString reading;
    qsizetype at = start;
    for (const Unit& u : readingUnits(tokens)) {
        if (u.end <= start || u.begin >= end) continue;
        if (u.begin > at && !allSpace(text(at, u.begin))) return std::nullopt;  // not covered
        if (u.guessed || !u.reading) return std::nullopt;
        QString r = *u.reading;
        // A unit crossing the word's edge is cut at its kana: 行った gives 行 = い.
        if (u.begin < start) {
            const QString outside = text(u.begin, start);
            const QString kana = textcodec::widenToHiragana(outside);
            if (!allOf(outside, isKana) || !r.startsWith(kana)) return std::nullopt;
            r.remove(0, kana.size());
        }
        if (u.end > end) {
            const QString outside = text(end, u.end);
            const QString kana = textcodec::widenToHiragana(outside);
            if (!allOf(outside, isKana) || !r.endsWith(kana)) return std::nullopt;
            r.chop(kana.size());
        }
        reading += r;
        at = u.end;
    }
    if (at < end && !allSpace(text(at, end))) return std::nullopt;
    if (!allOf(reading, isFuriganaKana)) return std::nullopt;
    return reading;
}

std::optional<QString> proposeReading(const QString& before, const QString& kanji, const QString& after) {
    return ReadingProposer::shared().propose(before, kanji, after);
}

WordInSentence wordInSentence(const PageRecord& page, int row, int word) {
    const auto field = [&](SlotField f) { return page[static_cast<size_t>(slotFieldIndex(row, f))]; };
    const QString before = field(SlotField::Before), kanji = field(SlotField::Kanji),
                  after = field(SlotField::After);
    const QString kanji2 = field(SlotField::Kanji2), after2 = field(SlotField::After2);
    if (word == 2) return {before + kanji + after, kanji2, after2};
    return {before, kanji, kanji2.isEmpty() ? after : after + kanji2 + after2};
}

ReadingFillReport fillPageReadings(PageRecord& page, int pageIndex, const ReadingProposer& proposer,
                                   bool overwrite) {
    ReadingFillReport report;
    for (int row = 1; row <= 10; ++row) {
        for (int word = 1; word <= 2; ++word) {
            const WordInSentence w = wordInSentence(page, row, word);
            QString& reading = page[static_cast<size_t>(
                slotFieldIndex(row, word == 1 ? SlotField::Reading : SlotField::Reading2))];
            if (w.kanji.isEmpty() || (!reading.isEmpty() && !overwrite)) continue;
            const std::optional<QString> proposal = proposer.propose(w.before, w.kanji, w.after);
            if (!proposal) {
                ++report.noProposal;
                continue;
            }
            if (*proposal == reading) continue;
            if (reading.isEmpty()) ++report.filled;
            report.changes.push_back({pageIndex, row, word, reading, *proposal});
            reading = *proposal;
        }
    }
    return report;
}
