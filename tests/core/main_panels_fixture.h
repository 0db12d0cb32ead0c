// A stand-in for the main window behind the lookup panel and the memory list: the grid, the
// toggles, the number labels, the toolbar and menu states and the window layout as plain
// data, with a scripted Platform.
#pragma once

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <array>

#include "core/data/problem_files.h"
#include "core/data/reading_dictionary.h"
#include "core/data/workbook.h"
#include "core/printing/print_page.h"
#include "core/windows/main/lookup_panel.h"
#include "core/windows/main/memory_list.h"
#include "fake_platform.h"

struct FakeToolButton {
    bool visible = false;
    bool enabled = false;
    int picture = 0;
};

class FakeMainWindow : public LookupPanelHost, public MemoryListHost {
public:
    FakePlatform fake;
    QString companyName = QStringLiteral("教科書指定なし");
    ReadingDictionary dictionary;
    Workbook book;
    std::array<std::array<QString, 7>, 11> grid{};  // [row 1..10][SlotField]
    int cursorRow = 0;                              // the grid cursor's row; 0: none
    int gridCursorRow() const override { return cursorRow; }
    std::array<int, 11> toggles{};
    std::array<QString, 11> toggleTooltips;
    std::array<int, 11> numberColors{};
    QMap<int, FakeToolButton> tools;
    QMap<QString, bool> menus;
    int width = kWindowWidthPlain;
    bool memoryPanelVisible = false;
    bool arrowPadVisible = true;
    bool titleVisible = true;
    int pagesOpened = 0;
    bool rowOneNumbered = true;  // a page is on screen
    QString headingText = QStringLiteral("一学期");
    int headingColor = 0xFFFFFF;
    QString heading9 = QStringLiteral("一学期");
    bool registerShown = false;
    int headingFocus = 0;
    int pageCommandsEnabled = 0;
    int exampleButtonShown = 0;
    QString font = QStringLiteral("ＭＳ 明朝");

    FakeMainWindow() { numberColors.fill(0x00FF00); }

    QString& cell(int row, SlotField f) { return grid[static_cast<size_t>(row)][static_cast<size_t>(f)]; }
    // Fills the four first-word cells of a row.
    void setRow(int row, const QString& before, const QString& kanji, const QString& reading,
                const QString& after) {
        cell(row, SlotField::Before) = before;
        cell(row, SlotField::Kanji) = kanji;
        cell(row, SlotField::Reading) = reading;
        cell(row, SlotField::After) = after;
    }

    // LookupPanelHost and MemoryListHost
    Platform& platform() override { return fake; }
    QString gridText(int row, SlotField f) const override {
        return grid.at(static_cast<size_t>(row))[static_cast<size_t>(f)];
    }
    void setGridText(int row, SlotField f, const QString& text) override {
        grid.at(static_cast<size_t>(row))[static_cast<size_t>(f)] = text;
    }
    void setToolButtonPicture(ToolbarButton button, Picture picture) override {
        tools[button].picture = picture;
    }
    void setWindowWidth(int twips) override { width = twips; }
    QString headingBoxText() const override { return headingText; }

    // LookupPanelHost
    QString company() const override { return companyName; }
    ReadingDictionary& readingDictionary() override { return dictionary; }
    Workbook& workbook() override { return book; }
    void setToolButtonVisible(ToolbarButton button, bool visible) override {
        tools[button].visible = visible;
    }
    void setToolButtonEnabled(ToolbarButton button, bool enabled) override {
        tools[button].enabled = enabled;
    }
    void setMenuEnabled(const QString& name, bool enabled) override { menus[name] = enabled; }
    void enablePageCommands() override { ++pageCommandsEnabled; }
    void setMemoryPanelVisible(bool visible) override { memoryPanelVisible = visible; }
    void setArrowPadVisible(bool visible) override { arrowPadVisible = visible; }
    void setTitleLabelVisible(bool visible) override { titleVisible = visible; }
    void ensurePageOnScreen() override {
        if (!rowOneNumbered) {
            ++pagesOpened;
            rowOneNumbered = true;
        }
    }
    void setHeadingBoxColor(int bgr) override { headingColor = bgr; }
    void focusHeadingBox() override { ++headingFocus; }
    QString headingLabel() const override { return heading9; }
    void showRegisterButton() override { registerShown = true; }

    // MemoryListHost
    int secondWordToggle(int row) const override { return toggles.at(static_cast<size_t>(row)); }
    void setSecondWordToggle(int row, bool on) override { toggles.at(static_cast<size_t>(row)) = on ? 1 : 0; }
    void setSecondWordTooltip(int row, const QString& tooltip) override {
        toggleTooltips.at(static_cast<size_t>(row)) = tooltip;
    }
    int numberLabelColor(int row) const override { return numberColors.at(static_cast<size_t>(row)); }
    void setNumberLabelColor(int row, int bgr) override { numberColors.at(static_cast<size_t>(row)) = bgr; }
    QString fontName() const override { return font; }
    int windowWidth() const override { return width; }
    void showExampleButton() override { ++exampleButtonShown; }
};

// A program folder of its own holding the dictionary files and base.moj a test needs.
class ProgramFolder {
public:
    ProgramFolder() { ok = dir.isValid(); }
    QString path() const { return dir.path(); }
    // Writes a code page 932 file of the given lines.
    bool write(const QString& name, const QStringList& lines) {
        QString message;
        return writeCp932Lines(dir.filePath(name), lines, &message);
    }
#ifdef JIRAKUBO_DATA_DIR
    // Copies a file that ships with the program (data/).
    bool installShipped(const QString& name) {
        return QFile::copy(QStringLiteral(JIRAKUBO_DATA_DIR) + u'/' + name, dir.filePath(name));
    }
#endif
    bool ok = false;

private:
    QTemporaryDir dir;
};

// A line of base.moj: a heading, an empty field, then the given problems (before, kanji,
// reading, after) in rows 1.., the rest empty, and a font name.
inline QString exampleLine(const QString& heading, const std::vector<std::array<QString, 4>>& problems) {
    QStringList fields{heading, QString()};
    for (size_t i = 0; i < 10; ++i)
        for (size_t f = 0; f < 4; ++f) fields << (i < problems.size() ? problems[i][f] : QString());
    fields << QStringLiteral("ＭＳ 明朝");
    return fields.join(u',');
}
