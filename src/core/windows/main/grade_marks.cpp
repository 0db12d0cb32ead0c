// The class's grade in the main window: 印刷オプション 学年 and its companions, the marks of
// the grid (unlearned kanji, answers that show in another row), and what the print commands
// take from them.
#include "core/data/grade_check.h"
#include "core/printing/grade_notes.h"
#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"

namespace {

const char* const kGradeItems[7] = {"gk0", "gk1", "gk2", "gk3", "gk4", "gk5", "gk6"};

int columnOf(ProblemText t) {
    switch (t) {
    case ProblemText::Before: return kColBefore;
    case ProblemText::Kanji: return kColKanji;
    case ProblemText::After: return kColAfter;
    case ProblemText::Kanji2: return kColKanji2;
    case ProblemText::After2: return kColAfter2;
    }
    return kColBefore;
}

void addNote(GridCell& cell, const QString& note) {
    if (cell.markNote.split(u'\n').contains(note)) return;
    if (!cell.markNote.isEmpty()) cell.markNote += u'\n';
    cell.markNote += note;
}

}  // namespace

int MainWindow::chosenGrade() const {
    for (int g = 1; g <= 6; ++g)
        if (checked(QString::fromLatin1(kGradeItems[g]))) return g;
    return 0;
}

void MainWindow::setChosenGrade(int grade) {
    checkItem(QString::fromLatin1(kGradeItems[grade >= 1 && grade <= 6 ? grade : 0]));
}

std::shared_ptr<const KanjiGrades> MainWindow::kanjiGrades() const {
    if (!kanjiGrades_ || kanjiGradesCompany_ != company) {
        // Read quietly: a missing dictionary is told by the lookup panel's grade buttons; here
        // it only means no kanji has a grade to be marked by.
        ReadingDictionary dictionary;
        loadReadingDictionary(dictionary, company, platform_.programDirectory());
        kanjiGrades_ = std::make_shared<const KanjiGrades>(KanjiGrades::fromTable(dictionary.table));
        kanjiGradesCompany_ = company;
    }
    return kanjiGrades_;
}

void MainWindow::updateGradeMarks() {
    for (int r = 1; r <= 10; ++r)
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            GridCell& cell = grid.at(r).cell(c);
            cell.unlearnedMarks.clear();
            cell.leakMarks.clear();
            cell.markNote.clear();
        }
    const std::shared_ptr<const KanjiGrades> grades = kanjiGrades();
    ProblemPage page;
    for (int r = 1; r <= 10; ++r) {
        const GridRow& g = grid.at(r);
        page[static_cast<size_t>(r - 1)] = {g.cell(kColBefore).text, g.cell(kColKanji).text,
                                            g.cell(kColAfter).text, g.cell(kColKanji2).text,
                                            g.cell(kColAfter2).text};
    }
    // Without a grade table every kanji would count as beyond grade 6: mark nothing then.
    const PageCheck check = checkPage(page, grades->isEmpty() ? KanjiGrades() : *grades,
                                      grades->isEmpty() ? kBeyondGradeTables : chosenGrade());
    for (const Finding& f : check.findings) {
        if (f.kind == FindingKind::Unlearned) {
            const QString note = QStringLiteral("未習漢字: %1（%2）").arg(f.kanji, gradeLabel(f.grade));
            for (const TextPlace& p : f.places) {
                GridCell& cell = grid.at(p.row).cell(columnOf(p.text));
                cell.unlearnedMarks.push_back({p.index, p.length});
                addNote(cell, note);
            }
            continue;
        }
        for (const TextPlace& p : f.answerPlaces) {
            GridCell& cell = grid.at(p.row).cell(columnOf(p.text));
            cell.leakMarks.push_back({p.index, p.length});
            addNote(cell, QStringLiteral("答えが%1行目の文にも出ています").arg(f.otherRow));
        }
        for (const TextPlace& p : f.places) {
            GridCell& cell = grid.at(p.row).cell(columnOf(p.text));
            cell.leakMarks.push_back({p.index, p.length});
            addNote(cell, QStringLiteral("%1行目の答え「%2」が出ています").arg(f.row).arg(f.kanji));
        }
    }
}

void MainWindow::applyGradeOptions(const ProgramOptions& o) {
    setChosenGrade(o.grade);
    setChecked(QStringLiteral("rbu"), o.rubyUnlearned);
    setChecked(QStringLiteral("lkk"), o.leakKana);
    setChecked(QStringLiteral("wkey"), o.printKey);
}

ProgramOptions MainWindow::gradeOptions() const {
    ProgramOptions o;
    o.furiganaAuto = checked(QStringLiteral("yauto"));
    o.grade = chosenGrade();
    o.rubyUnlearned = checked(QStringLiteral("rbu"));
    o.leakKana = checked(QStringLiteral("lkk"));
    o.printKey = checked(QStringLiteral("wkey"));
    return o;
}

void addGradeOptions(SheetOptions& o, const MainWindow& mw) {
    o.grade = mw.chosenGrade();
    o.rubyUnlearned = mw.checked(QStringLiteral("rbu"));
    o.leakKana = mw.checked(QStringLiteral("lkk"));
    if (o.rubyUnlearned) o.kanjiGrades = mw.kanjiGrades();
}

bool printsAnswerKey(const MainWindow& mw, SheetKind kind) {
    return mw.checked(QStringLiteral("wkey")) && (kind == SheetKind::Dictation || kind == SheetKind::Reading);
}

QString PrintJob::leakingRowsQuestion(SheetKind kind, bool fromToolbar) {
    if (mw_.checked(QStringLiteral("lkk")) ||
        (kind != SheetKind::Dictation && kind != SheetKind::ThreeSheets))
        return {};
    QStringList lines;
    const auto collect = [&](int pageIndex, const PrintPage& page) {
        const PageCheck check = checkPage(problemPageOf(page), KanjiGrades(), kBeyondGradeTables);
        for (const Finding& f : check.findings)
            if (f.kind == FindingKind::Leak)
                lines << QStringLiteral(" %1頁 %2行目の答え「%3」→ %4行目の文")
                             .arg(pageIndex + 1)
                             .arg(f.row)
                             .arg(f.kanji)
                             .arg(f.otherRow);
    };
    if (batch()) {
        for (int p = 0; p < mw_.workbook().pageCount; ++p) collect(p, printPageFromRecord(mw_.workbook(), p));
    } else {
        collect(mw_.workbook().currentPage, printedPageOnScreen(mw_, fromToolbar));
    }
    if (lines.isEmpty()) return {};
    constexpr qsizetype kListed = 10;
    const qsizetype more = lines.size() - kListed;
    if (more > 0) {
        lines.resize(kListed);
        lines << QStringLiteral(" ほか%1か所").arg(more);
    }
    return QStringLiteral("次の答えは、ほかの行の文にも出ています（書き取りで答えが見えます）。\n") +
           lines.join(u'\n') +
           QStringLiteral(
               "\nこのまま印刷しますか？（印刷オプション「答えを文中でかなにする」で、かなにして印刷できます"
               "）");
}
