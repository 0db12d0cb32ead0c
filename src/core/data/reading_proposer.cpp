#include "core/data/reading_proposer.h"

#include <mecab.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "core/data/text_codec.h"

namespace {

const QString kUnavailable = QStringLiteral(
    "MeCab の IPA 辞書（UTF-8）が見つからないため、ふりがなを提案できません。"
    "パッケージ mecab-ipadic-utf8 を入れてください。");

// Analyses of a sentence that cost less than this more than MeCab's best are as good as
// the best: where they read a word otherwise, the dictionary cannot choose between the
// readings (水車 is すいしゃ or みずぐるま at the same cost).
constexpr long kTieMargin = 10;
// How many of them are looked at, at most.
constexpr int kMaxAnalyses = 16;

// Hiragana a problem file can hold (not ゔ, ゕ, ゖ, which code page 932 lacks), and ー.
bool isFuriganaKana(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x3093) || u == 0x309D || u == 0x309E || u == 0x30FC;
}

bool isHiragana(QChar c) {
    return c.unicode() >= 0x3041 && c.unicode() <= 0x309E;
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
    // The dictionary prefers にっぽん (日本人, 日本一); school books read にほん.
    if (t.reading && t.surface.startsWith(u"日本") && t.reading->startsWith(u"にっぽん"))
        t.reading->replace(0, 4, QStringLiteral("にほん"));
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
    // Only h-row counters turn into p or b (いっぽん, さんぼん); k-row ones are voiced after
    // ん only in a few words (さんがい, さんげん), and s, t and k stay (いっさつ, さんかい).
    const bool hRow = startsWithRow(next, QStringLiteral("h"));
    const bool voiced = hRow || right.surface == u"階" || right.surface == u"軒" || right.surface == u"足";
    if (last == u'四')  // よんかい, よんほん, よんまい; but よにん, よねん, よじ, よんぷん
        return startsWithRow(next, QStringLiteral("kstmh")) ? (right.surface == u"分" ? rightOnly : none)
                                                            : both;
    if (last == u'九') return right.surface == u"時" ? leftOnly : none;  // くじ
    if (QStringView(u"七〇零").contains(last)) return both;              // なな or しち
    if (QStringView(u"三千万何").contains(last))  // さんぼん, さんがい, さんかい
        return voiced ? rightOnly : none;
    if (QStringView(u"六百").contains(last))  // ろっかい, ひゃっぽん; ろくさい, ひゃくてん
        return hRow ? both : startsWithRow(next, QStringLiteral("k")) ? leftOnly : none;
    // いっかい, はっさつ, じゅっとう, いっぽん
    return hRow ? both : startsWithRow(next, QStringLiteral("kst")) ? leftOnly : none;
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

// 一日 is ついたち after a month (四月一日, 今月の一日) and いちにち where it is a length of
// time (一日中, 一日に三回, 一日かけて); elsewhere the sentence does not tell.
std::optional<QString> firstOfTheMonth(const std::vector<Token>& tokens, size_t first, size_t last) {
    const auto adjacent = [&](size_t a, size_t b) { return tokens[a].end == tokens[b].begin; };
    const auto isMonth = [&](size_t i) {
        return tokens[i].pos == u"名詞" && tokens[i].surface.endsWith(u'月');
    };
    if (first > 0 && adjacent(first - 1, first)) {
        if (isMonth(first - 1)) return QStringLiteral("ついたち");
        // 今月の一日
        if (tokens[first - 1].surface == u"の" && first > 1 && adjacent(first - 2, first - 1) &&
            isMonth(first - 2))
            return QStringLiteral("ついたち");
    }
    if (last + 1 >= tokens.size() || !adjacent(last, last + 1)) return std::nullopt;
    const Token& next = tokens[last + 1];
    static const QStringList kSpan{
        QStringLiteral("中"),   QStringLiteral("じゅう"), QStringLiteral("目"),   QStringLiteral("おき"),
        QStringLiteral("ずつ"), QStringLiteral("分"),     QStringLiteral("だけ"), QStringLiteral("で"),
        QStringLiteral("も"),   QStringLiteral("を"),     QStringLiteral("かけ"), QStringLiteral("がかり")};
    if (kSpan.contains(next.surface) || next.isNumber()) return QStringLiteral("いちにち");
    // 一日に三回: a count per day
    if (next.surface == u"に" && last + 2 < tokens.size() && adjacent(last + 1, last + 2) &&
        tokens[last + 2].isNumber())
        return QStringLiteral("いちにち");
    return std::nullopt;
}

// 中 after a word: じゅう throughout a place or group (学校中, 体中, 日本中), ちゅう while
// something goes on (授業中, 休み中) and within a time (午前中), but じゅう through a whole
// day or year (今日中, 今年中). Nothing where the word before does not tell.
std::optional<QString> suffixChuu(const Token* prev) {
    if (!prev || prev->pos != u"名詞") return std::nullopt;
    const QString kChuu = QStringLiteral("ちゅう"), kJuu = QStringLiteral("じゅう");
    if (prev->pos1 == u"サ変接続") return kChuu;
    if (prev->isCounter()) return kJuu;  // 一日中, 一年中
    if (prev->pos1 == u"副詞可能") {
        if (!prev->reading) return std::nullopt;
        return *prev->reading == u"きょう" || *prev->reading == u"ことし" ? kJuu : kChuu;
    }
    if (prev->pos1 == u"一般" || prev->pos1 == u"固有名詞" || prev->pos1 == u"代名詞")
        return isHiragana(prev->surface.back()) ? kChuu : kJuu;  // 休み中, 話し中
    return std::nullopt;
}

// 何 is なん before the sounds t, d and n (何だ, 何で, 何の, 何と, 何です) and なに before the
// others (何を, 何が, 何も, 何か) and at the end; before に, or before a word, it may be either.
std::optional<QString> whatBefore(const Token* next) {
    const QString kNan = QStringLiteral("なん"), kNani = QStringLiteral("なに");
    if (!next || next->pos == u"記号") return kNani;
    if (next->pos == u"助動詞") return kNan;
    if (next->pos != u"助詞" || next->surface.isEmpty()) return std::nullopt;
    const QChar first = next->surface.front();
    if (QStringView(u"だでのとてな").contains(first)) return kNan;
    if (first == u'に') return std::nullopt;
    return kNani;
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
            // MeCab only knows いちにち; the sentence around says which it is.
            unitEnd[i] = last;
            const std::optional<QString> r = firstOfTheMonth(tokens, i, last);
            if (r) readings[i] = *r;
            guessed[i] = !r.has_value();
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

    // Homographs the dictionary tells apart by how common they are, not by the words around
    // them; here the words around them decide, or nothing is proposed.
    for (size_t i = 0; i < n; ++i) {
        const Token& t = tokens[i];
        const Token* prev = i > 0 && adjacent(i - 1) ? &tokens[i - 1] : nullptr;
        const Token* next = adjacent(i) ? &tokens[i + 1] : nullptr;
        if (t.isSuffix(u"中")) {
            if (const std::optional<QString> r = suffixChuu(prev))
                readings[i] = r;
            else
                guessed[i] = true;
        } else if (t.surface == u"方" && t.pos1 == u"非自立" && prev && prev->pos == u"連体詞") {
            guessed[i] = true;  // あの方 (かた) or この方 (ほう)
        } else if (t.surface == u"上手" || t.surface == u"下手") {
            // じょうず/へた said of something (上手な, 上手に, 上手だ, 下手でも, 絵が上手。);
            // かみて/しもて, うわて/したて as places and ranks (上手から)
            static const QStringList kAdjectival{QStringLiteral("に"), QStringLiteral("な"),
                                                 QStringLiteral("で"), QStringLiteral("ね"),
                                                 QStringLiteral("でも")};
            static const QStringList kSubject{QStringLiteral("が"), QStringLiteral("は"),
                                              QStringLiteral("も")};
            const bool adjectival = next && (next->pos == u"助動詞" ||
                                             (next->pos == u"助詞" && kAdjectival.contains(next->surface)));
            const bool predicate = (!next || next->pos == u"記号") && prev && prev->pos == u"助詞" &&
                                   kSubject.contains(prev->surface);
            guessed[i] = !(adjectival || predicate) || t.pos1 != u"形容動詞語幹";
        } else if (t.surface == u"何" && t.pos1 == u"代名詞") {
            if (const std::optional<QString> r = whatBefore(next))
                readings[i] = r;
            else
                guessed[i] = true;
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

// One analysis of the whole sentence and what it costs (MeCab's word and connection costs).
struct Analysis {
    std::vector<Token> tokens;
    long cost = 0;
};

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
    std::unordered_map<const MeCab::Node*, Token> tokens_;  // of the sentence last analysed

    std::vector<Token> tokenize(const QByteArray& sentence) {
        std::vector<Token> tokens;
        lattice->set_request_type(MECAB_ONE_BEST);
        lattice->set_sentence(sentence.constData(), static_cast<size_t>(sentence.size()));
        if (!tagger->parse(lattice.get())) return tokens;
        const char* base = lattice->sentence();
        for (const MeCab::Node* node = lattice->bos_node(); node; node = node->next) {
            if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
            tokens.push_back(makeToken(node, base));
        }
        return tokens;
    }

    // The analyses of the sentence: MeCab's best first, then those that cost less than
    // kTieMargin more, at most kMaxAnalyses in all. The lattice stays for readingsOf()
    // until the next sentence.
    std::vector<Analysis> analyses(const QByteArray& sentence) {
        std::vector<Analysis> found;
        tokens_.clear();
        lattice->set_request_type(MECAB_NBEST);
        lattice->set_sentence(sentence.constData(), static_cast<size_t>(sentence.size()));
        if (!tagger->parse(lattice.get())) return found;
        const char* base = lattice->sentence();
        std::vector<const MeCab::Node*> bestNodes;
        const auto read = [&](std::vector<const MeCab::Node*>* nodes) {
            Analysis a;
            const MeCab::Node* prev = nullptr;
            for (const MeCab::Node* node = lattice->bos_node(); node; node = node->next) {
                if (prev) a.cost += node->wcost + model->transition_cost(prev->rcAttr, node->lcAttr);
                prev = node;
                if (nodes) nodes->push_back(node);
                if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
                auto it = tokens_.find(node);
                if (it == tokens_.end()) it = tokens_.emplace(node, makeToken(node, base)).first;
                a.tokens.push_back(it->second);
            }
            return a;
        };
        // The parse leaves the best path in the lattice; where two analyses cost the same,
        // it is the one the mecab command prints.
        found.push_back(read(&bestNodes));
        // next() then starts from the cheapest again, ties perhaps in another order.
        while (static_cast<int>(found.size()) < kMaxAnalyses && lattice->next()) {
            std::vector<const MeCab::Node*> nodes;
            Analysis a = read(&nodes);
            if (a.cost - found.front().cost >= kTieMargin) break;
            if (nodes != bestNodes) found.push_back(std::move(a));
        }
        return found;
    }

    // The readings the dictionary has for the bytes [begin, end) of the sentence last
    // analysed, as one word.
    QStringList readingsOf(qsizetype begin, qsizetype end) {
        QStringList readings;
        const char* base = lattice->sentence();
        for (const MeCab::Node* node = lattice->begin_nodes(static_cast<size_t>(begin)); node;
             node = node->bnext) {
            if (node->length != end - begin) continue;
            const Token t = makeToken(node, base);
            if (t.reading && !readings.contains(*t.reading)) readings << *t.reading;
        }
        return readings;
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

// The reading with its first kana voiced, as the second part of a compound often is
// (方角 = ほう + がく, 三本 = さん + ぼん); empty when it has no voiced form.
QString voicedStart(const QString& reading) {
    static const QString plain = QStringLiteral("かきくけこさしすせそたちつてとはひふへほ");
    static const QString voiced = QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼ");
    const qsizetype k = reading.isEmpty() ? -1 : plain.indexOf(reading.front());
    return k < 0 ? QString() : voiced[k] + reading.mid(1);
}

// Where a token runs past the word's edge, the part outside is cut off its reading: kana as
// written (行った gives 行 = い), anything else by the one reading the dictionary has for it
// that the token's reading starts or ends with (一日中 = いちにち + じゅう, 書き方 = かき + かた,
// 方角 = ほう + がく, 生け花 = い + けばな).
std::optional<QString> cutOutside(const QString& reading, const QString& outside, bool atStart,
                                  const QStringList& outsideReadings) {
    QStringList cuts;
    const auto tryCut = [&](const QString& part) {
        if (part.isEmpty() || part.size() >= reading.size()) return;
        if (atStart ? reading.startsWith(part) : reading.endsWith(part)) {
            const QString rest = atStart ? reading.mid(part.size()) : reading.chopped(part.size());
            if (!cuts.contains(rest)) cuts << rest;
        }
    };
    if (allOf(outside, isKana)) {
        tryCut(textcodec::widenToHiragana(outside));
    } else {
        for (const QString& r : outsideReadings) {
            tryCut(r);
            if (!atStart) tryCut(voicedStart(r));
        }
    }
    if (cuts.size() != 1) return std::nullopt;
    return cuts.front();
}

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
    // A lone kanji at the end of the row may yet take its okurigana (生 before まれる or
    // きる): the row does not tell its reading until something follows.
    if (allSpace(after) && trimmed.toUcs4().size() == 1 && !isKana(trimmed.front())) return std::nullopt;
    // MeCab reads a word from the text near it; a sentence of a million characters would cost
    // a lattice of gigabytes. Only the nearest part of the text either side is given.
    const QByteArray head = QStringView(before).right(kMaxContext).toUtf8();
    const QByteArray word = kanji.toUtf8();
    const QByteArray sentence = head + word + QStringView(after).left(kMaxContext).toUtf8();
    const qsizetype start = head.size();
    const qsizetype end = start + word.size();

    std::lock_guard lock(d->mutex);  // one lattice; the kana conversion is not shared safely either
    const auto text = [&](qsizetype from, qsizetype to) {
        return QString::fromUtf8(sentence.constData() + from, to - from);
    };
    // The readings of the bytes [from, to) outside the word: as one word, or put together
    // from its runs of kana (as written) and of other characters (as the dictionary reads
    // them, voiced after the first run too: け花 is けはな or けばな).
    const auto outsideReadings = [&](qsizetype from, qsizetype to) {
        QStringList readings = d->readingsOf(from, to);
        QStringList composed{QString()};
        const QString part = text(from, to);
        qsizetype at = from;
        for (qsizetype i = 0; i < part.size() && !composed.isEmpty();) {
            const bool kana = isKana(part[i]);
            qsizetype j = i;
            while (j < part.size() && isKana(part[j]) == kana) ++j;
            const QString run = part.mid(i, j - i);
            const qsizetype runEnd = at + run.toUtf8().size();
            QStringList options;
            if (kana) {
                options << textcodec::widenToHiragana(run);
            } else {
                for (const QString& r : d->readingsOf(at, runEnd)) {
                    options << r;
                    if (i > 0 && !voicedStart(r).isEmpty()) options << voicedStart(r);
                }
            }
            QStringList next;
            for (const QString& head : composed)
                for (const QString& tail : options)
                    if (next.size() < 64) next << head + tail;
            composed = next;
            at = runEnd;
            i = j;
        }
        for (const QString& r : composed)
            if (!r.isEmpty() && !readings.contains(r)) readings << r;
        return readings;
    };
    const auto cutAtEdge = [&](const QString& reading, qsizetype from, qsizetype to, bool atStart) {
        const QString outside = text(from, to);
        return cutOutside(reading, outside, atStart,
                          allOf(outside, isKana) ? QStringList() : outsideReadings(from, to));
    };
    // The word's reading in one analysis, or nothing.
    const auto readingIn = [&](const Analysis& a) -> std::optional<QString> {
        QString reading;
        qsizetype at = start;
        for (const Unit& u : readingUnits(a.tokens)) {
            if (u.end <= start || u.begin >= end) continue;
            if (u.begin > at && !allSpace(text(at, u.begin))) return std::nullopt;  // not covered
            if (u.guessed || !u.reading) return std::nullopt;
            std::optional<QString> r = *u.reading;
            if (u.begin < start) r = cutAtEdge(*r, u.begin, start, true);
            if (r && u.end > end) r = cutAtEdge(*r, end, u.end, false);
            if (!r) return std::nullopt;
            reading += *r;
            at = u.end;
        }
        if (at < end && !allSpace(text(at, end))) return std::nullopt;
        if (!allOf(reading, isFuriganaKana)) return std::nullopt;
        return reading;
    };

    // Where an analysis as cheap as the best reads the word otherwise, MeCab only picked one
    // of equals. Analyses that cannot read the word at all take no side.
    const std::vector<Analysis> all = d->analyses(sentence);
    if (all.empty()) return std::nullopt;
    const std::optional<QString> best = readingIn(all.front());
    if (!best) return std::nullopt;
    for (size_t i = 1; i < all.size(); ++i) {
        const std::optional<QString> r = readingIn(all[i]);
        if (r && *r != *best) return std::nullopt;
    }
    return best;
}

std::optional<QString> ReadingProposer::wordReading(const QString& word) const {
    const QString trimmed = word.trimmed();
    if (!d->tagger || trimmed.isEmpty()) return std::nullopt;
    const QByteArray bytes = trimmed.toUtf8();
    std::lock_guard lock(d->mutex);
    const std::vector<Analysis> all = d->analyses(bytes);
    const auto asOneWord = [&](const Analysis& a) -> std::optional<QString> {
        if (a.tokens.size() != 1) return std::nullopt;
        const Token& t = a.tokens.front();
        if (t.pos1 == u"固有名詞" && t.pos2 == u"人名") return std::nullopt;  // 山川 as a family name
        if (!t.reading || !allOf(*t.reading, isFuriganaKana)) return std::nullopt;
        return t.reading;
    };
    if (all.empty()) return std::nullopt;
    const std::optional<QString> best = asOneWord(all.front());
    if (!best) return std::nullopt;
    for (size_t i = 1; i < all.size(); ++i)
        if (const std::optional<QString> r = asOneWord(all[i]); r && *r != *best) return std::nullopt;
    return best;
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
