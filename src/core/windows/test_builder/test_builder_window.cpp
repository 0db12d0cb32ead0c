#include "core/windows/test_builder/test_builder_window.h"

#include <algorithm>

#include "core/message_titles.h"

TestBuilderWindow::TestBuilderWindow(WindowContext& context, TestBuilderHost& host)
    : WindowModel(WindowId::TestBuilder, context), host_(host) {}

void TestBuilderWindow::load() {
    const Workbook& wb = host_.workbook();
    pageHeadings = wb.headingList;
    pageChosen.assign(static_cast<size_t>(pageHeadings.size()), false);
    if (wb.currentPage >= 0 && wb.currentPage < pageHeadings.size())
        pageChosen[static_cast<size_t>(wb.currentPage)] = true;
    if (seedText.isEmpty()) seedText = QString::number(newTestSeed());
    if (!headingEdited) heading = proposedHeading();
    status.clear();
    if (classNames.isEmpty()) classNames << kDefaultClassName;
    if (ResultsStore* store = results()) {
        std::vector<ClassRoster> roster;
        QString message;
        if (store->roster(&roster, &message)) {
            classNames.clear();
            for (const ClassRoster& c : roster) classNames << c.name;
            if (!classNames.contains(kDefaultClassName)) classNames.prepend(kDefaultClassName);
        }
    }
    markPageOnScreen();
}

QDate TestBuilderWindow::today() const {
    return context().platform().now().date();
}

QString TestBuilderWindow::proposedHeading() const {
    QString scopeText;
    switch (scope) {
    case TestScope::Grade: scopeText = kanjiScopeText(grade, {}); break;
    case TestScope::Kanji: scopeText = kanjiScopeText(grade, kanji); break;
    case TestScope::Pages:
        for (size_t i = 0; i < pageChosen.size(); ++i)
            if (pageChosen[i]) {
                scopeText = pageHeadings.value(static_cast<qsizetype>(i));
                break;
            }
        break;
    }
    return defaultTestHeading(today(), scopeText);
}

void TestBuilderWindow::setScope(TestScope s) {
    scope = s;
    if (!headingEdited) heading = proposedHeading();
}

void TestBuilderWindow::setPageChosen(int index, bool on) {
    if (index < 0 || index >= static_cast<int>(pageChosen.size())) return;
    pageChosen[static_cast<size_t>(index)] = on;
    scope = TestScope::Pages;
    if (!headingEdited) heading = proposedHeading();
}

void TestBuilderWindow::setGrade(int g) {
    grade = std::clamp(g, 1, 6);
    if (scope == TestScope::Pages) scope = TestScope::Grade;
    if (!headingEdited) heading = proposedHeading();
}

void TestBuilderWindow::setKanji(const QString& text) {
    kanji = text;
    scope = TestScope::Kanji;
    if (!headingEdited) heading = proposedHeading();
}

void TestBuilderWindow::takeLookupKanji() {
    const QString k = host_.lookupKanji();
    if (k.isEmpty()) {
        status = QStringLiteral("単漢字表示のパネルで漢字を選んでから押してください");
        return;
    }
    if (!kanji.contains(k)) setKanji(kanji + k);
    scope = TestScope::Kanji;
}

void TestBuilderWindow::setCount(int n) {
    count = std::clamp(n, 1, kMaxTestProblems);
}

void TestBuilderWindow::setHeading(const QString& text) {
    heading = text;
    headingEdited = !text.trimmed().isEmpty();
    if (!headingEdited) heading = proposedHeading();
}

void TestBuilderWindow::setSeed(const QString& text) {
    seedText = text.normalized(QString::NormalizationForm_KC).trimmed();
}

void TestBuilderWindow::newSeed() {
    seedText = QString::number(newTestSeed());
}

bool TestBuilderWindow::ensureSources() {
    const QString company = host_.company();
    if (sourcesLoaded_ && sourcesCompany_ == company) return true;
    QString message;
    if (!loadTestSources(context().platform().programDirectory(), company, &sources_, &message)) {
        fail(message);
        return false;
    }
    sourcesLoaded_ = true;
    sourcesCompany_ = company;
    return true;
}

void TestBuilderWindow::fail(const QString& message) {
    status = message;
    context().platform().messageBox(message, QString::fromUtf8(kName), MessageButtons::Ok,
                                    MessageIcon::Warning);
}

namespace {

// The font of the new pages: the status bar's, or the program's default before one is set.
QString pageFont(const QString& statusFont) {
    return statusFont.isEmpty() || statusFont == u"フォント" ? kDefaultFontName : statusFont;
}

}  // namespace

std::vector<TestProblem> TestBuilderWindow::drawProblems(quint64 seed, int howMany, BuiltTest* built) {
    if (scope == TestScope::Pages) {
        std::vector<int> chosen;
        for (size_t i = 0; i < pageChosen.size(); ++i)
            if (pageChosen[i]) chosen.push_back(static_cast<int>(i));
        if (chosen.empty()) {
            fail(QStringLiteral("テストにするページを選んでください"));
            return {};
        }
        const std::vector<TestProblem> pool = pageProblems(host_.workbook(), chosen);
        *built = buildFromProblems(pool, howMany, seed);
        if (built->problems.empty()) fail(QStringLiteral("選んだページに問題がありません"));
        return built->problems;
    }
    if (!ensureSources()) return {};
    if (scope == TestScope::Kanji) {
        if (distinctKanji(kanji).isEmpty()) {
            fail(QStringLiteral("漢字を入力するか、単漢字表示のパネルで選んでください"));
            return {};
        }
        QString above;
        for (char32_t c : distinctKanji(kanji).toUcs4())
            if (sources_.grades.gradeOf(c) > grade) above += QString::fromUcs4(&c, 1);
        if (!above.isEmpty()) {
            fail(QStringLiteral("「%1」は%2年より後に習う漢字です。学年を上げてください")
                     .arg(above)
                     .arg(grade));
            return {};
        }
    }
    const QString asked = scope == TestScope::Kanji ? kanji : QString();
    *built = buildFromKanji(sources_.examples, sources_.grades, grade, asked, howMany, seed);
    if (built->problems.empty()) fail(QStringLiteral("%1年までの漢字だけの例文が見つかりません").arg(grade));
    return built->problems;
}

void TestBuilderWindow::build() {
    bool ok = false;
    const quint64 seed = seedText.toULongLong(&ok);
    if (!ok) {
        fail(QStringLiteral("種は数で書いてください（「%1」）").arg(seedText));
        return;
    }
    host_.storePageOnScreen();
    BuiltTest built;
    const std::vector<TestProblem> problems = drawProblems(seed, count, &built);
    if (problems.empty()) return;
    const std::vector<PageRecord> pages =
        testPages(problems, heading.trimmed().isEmpty() ? proposedHeading() : heading.trimmed(),
                  pageFont(context().fontName()));
    if (host_.workbook().headingList.size() + static_cast<qsizetype>(pages.size()) > kMaxPages) {
        fail(QStringLiteral("ページは%1ページまでです。このテストの%2ページを加えられません")
                 .arg(kMaxPages)
                 .arg(pages.size()));
        return;
    }
    context().nameStep(QString::fromUtf8(kName));
    host_.appendTestPages(pages);
    // The next test differs unless the teacher types this seed again.
    newSeed();
    load();
    status = QStringLiteral("%1問のテストを%2ページ加えました（種 %3）")
                 .arg(problems.size())
                 .arg(pages.size())
                 .arg(seed);
    if (!built.kanjiWithoutSentence.isEmpty())
        status += QStringLiteral("。合う例文のない漢字: %1").arg(built.kanjiWithoutSentence);
}

ResultsStore* TestBuilderWindow::results() {
    if (store_) return store_.get();
    if (!openResults) return nullptr;
    QString message;
    store_ = openResults(&message);
    if (!store_) fail(message);
    return store_.get();
}

void TestBuilderWindow::setClassName(const QString& name) {
    const QString n = name.trimmed();
    className = n.isEmpty() ? kDefaultClassName : n;
    refreshStates();
}

void TestBuilderWindow::setStudent(const QString& name) {
    student = name.trimmed();
}

void TestBuilderWindow::addStudent() {
    if (student.isEmpty()) {
        status = QStringLiteral("児童の名前を入れてください");
        return;
    }
    ResultsStore* store = results();
    if (!store) return;
    QString message;
    if (!store->addStudent(className, student, &message)) {
        fail(message);
        return;
    }
    if (!classNames.contains(className)) classNames << className;
    status = QStringLiteral("%1さんを「%2」に加えました").arg(student, className);
}

void TestBuilderWindow::markPageOnScreen() {
    host_.storePageOnScreen();
    const Workbook& wb = host_.workbook();
    scoreRows.clear();
    scoredPage = -1;
    scoredHeading.clear();
    currentRow = 0;
    if (wb.currentPage < 0 || wb.currentPage >= wb.headingList.size()) return;
    scoredPage = wb.currentPage;
    scoredHeading = wb.headingList.value(scoredPage);
    for (int row = 1; row <= kTestPageRows; ++row) {
        ScoreRow r;
        r.row = row;
        if (problemOfRow(wb.page(scoredPage), row, &r.problem)) scoreRows.push_back(r);
    }
    refreshStates();
}

void TestBuilderWindow::refreshStates() {
    std::vector<ProblemHistory> histories;
    ResultsStore* store = scoreRows.empty() ? nullptr : results();
    QString message;
    if (store && !store->histories(className, &histories, &message)) fail(message);
    std::vector<TestProblem> problems;
    for (const ScoreRow& r : scoreRows) problems.push_back(r.problem);
    const std::vector<ReviewStatus> states = reviewStatuses(problems, histories, today());
    for (size_t i = 0; i < scoreRows.size(); ++i) scoreRows[i].state = reviewStateText(states[i].state);
}

void TestBuilderWindow::toggleMark(int index) {
    if (index < 0 || index >= static_cast<int>(scoreRows.size())) return;
    scoreRows[static_cast<size_t>(index)].wrong = !scoreRows[static_cast<size_t>(index)].wrong;
    currentRow = index;
}

void TestBuilderWindow::setMark(int index, bool wrong) {
    if (index < 0 || index >= static_cast<int>(scoreRows.size())) return;
    scoreRows[static_cast<size_t>(index)].wrong = wrong;
    currentRow = index;
}

void TestBuilderWindow::record() {
    if (scoreRows.empty()) {
        fail(QStringLiteral("採点する問題がありません。テストのページを開いてから押してください"));
        return;
    }
    ResultsStore* store = results();
    if (!store) return;
    std::vector<ScoredProblem> answers;
    int wrong = 0;
    for (const ScoreRow& r : scoreRows) {
        answers.push_back({r.problem, !r.wrong});
        wrong += r.wrong;
    }
    QString message;
    if (!store->recordAnswers(className, student, today(), answers, &message)) {
        fail(message);
        return;
    }
    status = QStringLiteral("「%1」の%2問を記録しました（×%3問）")
                 .arg(scoredHeading)
                 .arg(answers.size())
                 .arg(wrong);
    for (ScoreRow& r : scoreRows) r.wrong = false;
    refreshStates();
}

void TestBuilderWindow::review() {
    ResultsStore* store = results();
    if (!store) return;
    std::vector<ProblemHistory> histories;
    QString message;
    if (!store->histories(className, &histories, &message)) {
        fail(message);
        return;
    }
    const std::vector<TestProblem> problems = reviewTest({}, histories, today(), count);
    if (problems.empty()) {
        fail(QStringLiteral("「%1」には、まだ復習する問題がありません。採点して記録してください")
                 .arg(className));
        return;
    }
    const QString reviewHeading = defaultTestHeading(today(), QStringLiteral("復習"));
    const std::vector<PageRecord> pages = testPages(problems, reviewHeading, pageFont(context().fontName()));
    if (host_.workbook().headingList.size() + static_cast<qsizetype>(pages.size()) > kMaxPages) {
        fail(QStringLiteral("ページは%1ページまでです。復習の%2ページを加えられません")
                 .arg(kMaxPages)
                 .arg(pages.size()));
        return;
    }
    context().nameStep(QStringLiteral("復習"));
    host_.appendTestPages(pages);
    load();
    status = QStringLiteral("復習の%1問を%2ページ加えました").arg(problems.size()).arg(pages.size());
}
