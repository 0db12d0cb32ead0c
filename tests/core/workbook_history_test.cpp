// The history behind 元に戻す and やり直し: steps, typing folded into one step, the saved point,
// the bound, and long random edit sequences undone and redone byte for byte.
#include "core/data/workbook_history.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "core/data/problem_files.h"
#include "test_util.h"

namespace {

// A workbook of `pages` pages whose row 1 kanji is "字<page>".
Workbook workbookOf(int pages) {
    Workbook wb;
    for (int p = 0; p < pages; ++p) {
        wb.headingList << QStringLiteral("見出し%1").arg(p + 1);
        wb.page(p)[kHeadingField] = wb.headingList.back();
        wb.page(p)[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))] =
            QStringLiteral("字%1").arg(p + 1);
        wb.pageLines[static_cast<size_t>(p)] = pageLine(wb.page(p), kDefaultFontName);
    }
    wb.pageCount = pages;
    return wb;
}

void setText(Workbook& wb, int page, int row, SlotField field, const QString& text) {
    wb.page(page)[static_cast<size_t>(slotFieldIndex(row, field))] = text;
    wb.pageLines[static_cast<size_t>(page)] = pageLine(wb.page(page), kDefaultFontName);
}

QString text(const Workbook& wb, int page, int row, SlotField field) {
    return wb.page(page)[static_cast<size_t>(slotFieldIndex(row, field))];
}

// The bytes the problem-file writer makes of the workbook.
QByteArray written(const Workbook& wb) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.mojx"));
    QString message;
    EXPECT_TRUE(writeProblemFile(path, wb, false, &message)) << message.toStdString();
    return readBytes(path);
}

}  // namespace

TEST(WorkbookHistory, AStepIsUndoneAndRedoneAndNamed) {
    Workbook wb = workbookOf(3);
    WorkbookHistory history;
    history.reset(wb);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.record(wb, QStringLiteral("入力"), 0)) << "nothing changed";

    setText(wb, 1, 4, SlotField::Before, QStringLiteral("あさ"));
    setText(wb, 2, 4, SlotField::Reading, QStringLiteral("よる"));
    ASSERT_TRUE(history.record(wb, QStringLiteral("流し込み"), 1));
    EXPECT_EQ(history.undoName(), QStringLiteral("流し込み"));
    EXPECT_FALSE(history.atSavedPoint());

    EXPECT_EQ(history.undo(wb), std::optional<int>(1));
    EXPECT_EQ(text(wb, 1, 4, SlotField::Before), QString());
    EXPECT_EQ(text(wb, 2, 4, SlotField::Reading), QString());
    EXPECT_EQ(wb.pageLines[1], pageLine(workbookOf(3).page(1), kDefaultFontName));
    EXPECT_TRUE(history.atSavedPoint());
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.redoName(), QStringLiteral("流し込み"));

    EXPECT_EQ(history.redo(wb), std::optional<int>(1));
    EXPECT_EQ(text(wb, 1, 4, SlotField::Before), QStringLiteral("あさ"));
    EXPECT_EQ(text(wb, 2, 4, SlotField::Reading), QStringLiteral("よる"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.redo(wb), std::nullopt);
}

TEST(WorkbookHistory, AddedPageAndHeadingComeAndGo) {
    Workbook wb = workbookOf(1);
    WorkbookHistory history;
    history.reset(wb);
    wb.headingList << QStringLiteral("二の巻");
    wb.pageCount = 2;
    wb.page(1)[kHeadingField] = QStringLiteral("二の巻");
    ASSERT_TRUE(history.record(wb, QStringLiteral("見出し登録"), 1));
    history.undo(wb);
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("見出し1")});
    EXPECT_EQ(wb.pageCount, 1);
    EXPECT_EQ(wb.page(1)[kHeadingField], QString());
    history.redo(wb);
    EXPECT_EQ(wb.headingList, (QStringList{QStringLiteral("見出し1"), QStringLiteral("二の巻")}));
    EXPECT_EQ(wb.pageCount, 2);
}

TEST(WorkbookHistory, TypingIntoOneCellIsOneStepUntilTheKeyChanges) {
    Workbook wb = workbookOf(1);
    WorkbookHistory history;
    history.reset(wb);
    const QString cell = QStringLiteral("0:1:3");
    for (const QString& t : {QStringLiteral("や"), QStringLiteral("やま"), QStringLiteral("山")}) {
        setText(wb, 0, 1, SlotField::Kanji, t);
        history.record(wb, QStringLiteral("入力"), 0, cell);
    }
    EXPECT_EQ(history.size(), 1u);
    setText(wb, 0, 2, SlotField::Kanji, QStringLiteral("川"));
    history.record(wb, QStringLiteral("入力"), 0, QStringLiteral("0:2:3"));
    EXPECT_EQ(history.size(), 2u);

    history.undo(wb);
    EXPECT_EQ(text(wb, 0, 2, SlotField::Kanji), QString());
    EXPECT_EQ(text(wb, 0, 1, SlotField::Kanji), QStringLiteral("山"));
    history.undo(wb);
    EXPECT_EQ(text(wb, 0, 1, SlotField::Kanji), QStringLiteral("字1"));

    // After an undo the same cell starts a new step rather than growing the undone one.
    history.redo(wb);
    setText(wb, 0, 1, SlotField::Kanji, QStringLiteral("山々"));
    history.record(wb, QStringLiteral("入力"), 0, cell);
    EXPECT_EQ(history.size(), 2u);
    history.undo(wb);
    EXPECT_EQ(text(wb, 0, 1, SlotField::Kanji), QStringLiteral("山"));
}

TEST(WorkbookHistory, TypingTakenBackLeavesNoStep) {
    Workbook wb = workbookOf(1);
    WorkbookHistory history;
    history.reset(wb);
    setText(wb, 0, 1, SlotField::After, QStringLiteral("一"));
    history.record(wb, QStringLiteral("入力"), 0);
    const QString cell = QStringLiteral("0:2:5");
    setText(wb, 0, 2, SlotField::After, QStringLiteral("に"));
    history.record(wb, QStringLiteral("入力"), 0, cell);
    setText(wb, 0, 2, SlotField::After, QString());
    history.record(wb, QStringLiteral("入力"), 0, cell);
    EXPECT_EQ(history.size(), 1u);
    history.undo(wb);
    EXPECT_EQ(text(wb, 0, 1, SlotField::After), QString()) << "the step before is the one undone";
    EXPECT_TRUE(history.atSavedPoint());
}

TEST(WorkbookHistory, SavedPointFollowsUndoRedoAndIsLostWithTheRedoBranch) {
    Workbook wb = workbookOf(1);
    WorkbookHistory history;
    history.reset(wb);
    setText(wb, 0, 1, SlotField::After, QStringLiteral("一"));
    history.record(wb, QStringLiteral("入力"), 0);
    setText(wb, 0, 2, SlotField::After, QStringLiteral("二"));
    history.record(wb, QStringLiteral("入力"), 0);
    history.markSaved(wb);
    EXPECT_TRUE(history.atSavedPoint());
    history.undo(wb);
    EXPECT_FALSE(history.atSavedPoint());
    history.redo(wb);
    EXPECT_TRUE(history.atSavedPoint());

    // Undo past the saved point and change something else: the saved state cannot be reached.
    history.undo(wb);
    setText(wb, 0, 3, SlotField::After, QStringLiteral("三"));
    history.record(wb, QStringLiteral("入力"), 0);
    EXPECT_FALSE(history.canRedo());
    history.undo(wb);
    EXPECT_FALSE(history.atSavedPoint());
    history.redo(wb);
    EXPECT_FALSE(history.atSavedPoint());
}

TEST(WorkbookHistory, KeepsTheLastStepsOnly) {
    Workbook wb = workbookOf(1);
    WorkbookHistory history(3);
    history.reset(wb);
    for (int i = 1; i <= 5; ++i) {
        setText(wb, 0, i, SlotField::Before, QString::number(i));
        history.record(wb, QStringLiteral("入力%1").arg(i), 0);
    }
    EXPECT_EQ(history.size(), 3u);
    int undone = 0;
    while (history.undo(wb)) ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(text(wb, 0, 2, SlotField::Before), QStringLiteral("2")) << "steps 1 and 2 were forgotten";
    EXPECT_EQ(text(wb, 0, 3, SlotField::Before), QString());
    EXPECT_FALSE(history.atSavedPoint()) << "the opened state fell out of the history";
}

TEST(WorkbookHistory, RandomEditsUndoneAndRedoneByteForByte) {
    QRandomGenerator rng(20261210);
    const QStringList words = {QStringLiteral("山"), QStringLiteral("かわ"), QStringLiteral("学校へ"),
                               QStringLiteral(""),   QStringLiteral("、"),   QStringLiteral("ＭＳ 明朝")};
    for (int round = 0; round < 20; ++round) {
        Workbook wb = workbookOf(1 + static_cast<int>(rng.bounded(5)));
        const QByteArray opened = written(wb);
        WorkbookHistory history;
        history.reset(wb);
        const int edits = 1 + static_cast<int>(rng.bounded(60));
        for (int e = 0; e < edits; ++e) {
            const int kind = static_cast<int>(rng.bounded(10));
            if (kind == 0 && wb.hasRoomForPage()) {  // a page added
                const int p = wb.pageCount;
                wb.headingList << QStringLiteral("新%1").arg(e);
                wb.page(p)[kHeadingField] = wb.headingList.back();
                wb.pageLines[static_cast<size_t>(p)] = pageLine(wb.page(p), kDefaultFontName);
                wb.pageCount = p + 1;
            } else if (kind == 1) {  // a heading renamed
                const int p = static_cast<int>(rng.bounded(wb.pageCount));
                wb.headingList[p] = QStringLiteral("改%1").arg(e);
                wb.page(p)[kHeadingField] = wb.headingList[p];
                wb.pageLines[static_cast<size_t>(p)] = pageLine(wb.page(p), kDefaultFontName);
            } else {  // texts of one or two pages
                for (int n = 0; n < 1 + static_cast<int>(rng.bounded(2)); ++n) {
                    const int p = static_cast<int>(rng.bounded(wb.pageCount));
                    const int row = 1 + static_cast<int>(rng.bounded(10));
                    const auto field = static_cast<SlotField>(rng.bounded(7));
                    setText(wb, p, row, field, words[static_cast<int>(rng.bounded(words.size()))]);
                }
            }
            // Some edits share a key and fold into the step before.
            history.record(wb, QStringLiteral("編集"), 0,
                           rng.bounded(3) == 0 ? QStringLiteral("k") : QString());
        }
        const QByteArray edited = written(wb);
        while (history.undo(wb)) {
        }
        EXPECT_EQ(written(wb), opened) << "round " << round;
        EXPECT_TRUE(history.atSavedPoint());
        while (history.redo(wb)) {
        }
        EXPECT_EQ(written(wb), edited) << "round " << round;
    }
}

// A step compares only the pages written since the last one: the workbook notes each page
// reached for writing, a read notes nothing, and the history takes the notes with the step.
TEST(WorkbookHistory, OnlyThePagesWrittenSinceTheLastStepAreCompared) {
    Workbook wb = workbookOf(201);
    WorkbookHistory history;
    history.reset(wb);
    wb.touchedPages.reset();
    const Workbook& reading = wb;
    EXPECT_EQ(text(reading, 7, 1, SlotField::Kanji), QStringLiteral("字8"));
    EXPECT_TRUE(wb.touchedPages.none()) << "a read notes nothing";
    EXPECT_FALSE(history.hasUnrecordedChange(wb));

    setText(wb, 150, 3, SlotField::After, QStringLiteral("へ行く"));
    EXPECT_TRUE(wb.touchedPages.test(150));
    EXPECT_EQ(wb.touchedPages.count(), 1u);
    EXPECT_TRUE(history.hasUnrecordedChange(wb)) << "the change the action under way made";
    ASSERT_TRUE(history.record(wb, QStringLiteral("入力"), 150));
    EXPECT_TRUE(wb.touchedPages.none()) << "the step took the notes";
    EXPECT_FALSE(history.hasUnrecordedChange(wb));

    // A page reached for writing but left as it was makes no step.
    wb.page(3);
    EXPECT_FALSE(history.hasUnrecordedChange(wb));
    EXPECT_FALSE(history.record(wb, QStringLiteral("入力"), 3));

    EXPECT_EQ(history.undo(wb), 150);
    EXPECT_EQ(text(wb, 150, 3, SlotField::After), QString());
    EXPECT_EQ(history.redo(wb), 150);
    EXPECT_EQ(text(wb, 150, 3, SlotField::After), QStringLiteral("へ行く"));
}
