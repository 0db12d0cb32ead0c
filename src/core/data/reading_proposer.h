// Readings for kanji words that did not come through the input method (pasted, typed
// without conversion, read from an old file), proposed from MeCab's analysis of the whole
// sentence with the IPA dictionary.
//
// No proposal is better than a wrong one: the proposer answers only when MeCab's tokens
// cover the word cleanly (a token crossing the word's edge is cut where the reading of the
// part outside allows it: 行った gives 行 = い, 一日中 gives 一日 = いちにち) and every token
// has a reading. It stays silent where the sentence does not decide:
// - where another analysis as cheap as MeCab's best reads the word otherwise (水車 is
//   すいしゃ or みずぐるま at the same cost);
// - for a lone kanji at the end of the row, which may yet take its okurigana (生 before
//   まれる or きる);
// - where the dictionary tells homographs apart only by how common they are, unless the
//   words around them decide: 一日 (ついたち after a month, いちにち for a length of time),
//   中 after a word (ちゅう or じゅう by the kind of word), 何 (なん or なに by the sound after
//   it), 上手 and 下手 (じょうず, へた only where said of something), 方 after あの/この, 今日は
//   standing alone (こんにちは);
// - for numbers before counters whose sound changes (一本, 四人, 三百).
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "core/data/workbook.h"

class ReadingProposer {
public:
    // Opens the dictionary the way the mecab command does (MECABRC, ~/.mecabrc,
    // /etc/mecabrc and the dictionary it names), else the folders of
    // defaultDictionaryDirs() in turn.
    ReadingProposer();
    // Tries the dictionary folders in order; an empty entry stands for the mecab command's
    // own choice.
    explicit ReadingProposer(const QStringList& dictionaryDirs);
    ~ReadingProposer();
    ReadingProposer(const ReadingProposer&) = delete;
    ReadingProposer& operator=(const ReadingProposer&) = delete;

    // The mecab command's choice (empty), then where mecab-ipadic-utf8 installs.
    static QStringList defaultDictionaryDirs();

    // One proposer for the whole program, created on first use and kept.
    static ReadingProposer& shared();

    bool isAvailable() const;
    // A sentence for the user when MeCab or its dictionary is missing; empty otherwise.
    QString unavailableMessage() const;
    // The dictionary file in use (sys.dic), for messages.
    QString dictionaryFile() const;

    // The reading of kanji in the sentence before + kanji + after, in hiragana (ー kept),
    // or nothing.
    std::optional<QString> propose(const QString& before, const QString& kanji, const QString& after) const;

    // The reading of a word the dictionary knows as one word (学校 is がっこう, 大人 おとな),
    // not as a person's name; nothing for a word it does not know or reads in two ways at
    // the same cost.
    std::optional<QString> wordReading(const QString& word) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The reading the shared proposer gives the word of one row; nothing when it cannot tell
// or when MeCab is unavailable (ReadingProposer::shared().unavailableMessage() says why).
std::optional<QString> proposeReading(const QString& before, const QString& kanji, const QString& after);

// A row's word in its sentence. A row reads before, kanji, after and, when kanji2 is not
// empty, kanji2 and after2: the first word's after runs on through the second word, and the
// second word's before is everything up to it.
struct WordInSentence {
    QString before, kanji, after;
};
// word 1 (kanji) or 2 (kanji2) of row 1..10.
WordInSentence wordInSentence(const PageRecord& page, int row, int word);

struct ReadingChange {
    int pageIndex = 0;  // 0-based
    int row = 0;        // 1..10
    int word = 0;       // 1 or 2
    QString oldReading, newReading;
};

struct ReadingFillReport {
    int filled = 0;                      // empty readings that got one
    int noProposal = 0;                  // words asked about that got none
    std::vector<ReadingChange> changes;  // every reading written: filled and replaced
};

// Fills the empty readings of both words of every row of the page; with overwrite, also
// replaces readings that differ from the proposal. Words without kanji are left alone, and
// so is every reading the proposer has nothing for.
ReadingFillReport fillPageReadings(PageRecord& page, int pageIndex, const ReadingProposer& proposer,
                                   bool overwrite);
