// The history of changes to a workbook, for 元に戻す and やり直し. A step keeps only the
// pages it touched, as they were before and after, with the heading list and the page count;
// the strings are shared with the workbook, so a step costs little more than the pages it
// changed. Unsaved work is the distance from the step at which the workbook was last opened
// or saved.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "core/data/workbook.h"

class WorkbookHistory {
public:
    // The last 500 steps are kept; older ones are forgotten.
    explicit WorkbookHistory(std::size_t limit = 500);

    // A fresh history whose starting point is the workbook as it is now (open, 新規作成,
    // merge). The starting point counts as saved.
    void reset(const Workbook& workbook, const QStringList& windowState = {});

    // Records what changed in the workbook since the last step as one step named `name` (the
    // pages the workbook notes as touched, and the page on screen; the history takes the
    // notes)
    // menu shows 元に戻す「name」), made on the page shown as pageOnScreen. Nothing is
    // recorded when nothing changed. A non-empty mergeKey equal to the previous step's key
    // folds this change into that step (typing into one cell is one step), unless the previous
    // step was undone or saved since. True when the workbook had changed.
    // windowState is what the window shows beside the workbook and changes with it (the font
    // of the status bar, what the font dialog proposes): a step keeps it as it was before and
    // after, so that undo and redo give it back; alone it makes no step.
    bool record(Workbook& workbook, const QString& name, int pageOnScreen, const QString& mergeKey = {},
                const QStringList& windowState = {});

    bool canUndo() const { return applied_ > 0; }
    bool canRedo() const { return applied_ < steps_.size(); }
    QString undoName() const;
    QString redoName() const;

    // Puts the workbook back as it was before the last step (after the next step for redo)
    // and returns the page that step was made on; nothing when there is nothing to do. The
    // caller records what changed since the last step first, or it is overwritten.
    std::optional<int> undo(Workbook& workbook);
    std::optional<int> redo(Workbook& workbook);
    // The window state of the point the history is at: after undo, as it was before the step
    // undone; after redo, as the step left it.
    const QStringList& windowState() const { return base_.windowState; }

    // The workbook as it is now reached the disk: it is the saved point. What the action under
    // way changed before the save is taken in with it, as no step of its own.
    void markSaved(Workbook& workbook);
    // True while the workbook is where it was last opened or saved (counted in steps).
    bool atSavedPoint() const { return savedAt_ && *savedAt_ == applied_; }
    // True when the workbook holds a change no step has recorded yet: what the action under
    // way has done so far. As cheap as recording.
    bool hasUnrecordedChange(const Workbook& workbook) const {
        return !base_.pages.empty() && diff(workbook).has_value();
    }

    std::size_t size() const { return steps_.size(); }
    // Bytes the steps hold: the pages and heading lists they keep, each shared text once.
    std::size_t memoryBytes() const;

private:
    struct PageChange {
        int index = 0;
        PageRecord before, after;
        QString lineBefore, lineAfter;
    };
    struct Step {
        QString name;
        QString mergeKey;
        int pageOnScreen = 0;
        std::vector<PageChange> pages;
        QStringList headingsBefore, headingsAfter;
        int pageCountBefore = 0, pageCountAfter = 0;
        QStringList windowBefore, windowAfter;
    };

    // The workbook as the last step left it.
    struct Baseline {
        std::vector<PageRecord> pages;
        std::vector<QString> lines;
        QStringList headings;
        int pageCount = 0;
        QStringList windowState;
    };

    // The touched pages and the page on screen against the baseline.
    std::optional<Step> diff(const Workbook& workbook) const;
    void takeBaseline(const Workbook& workbook);
    void apply(Workbook& workbook, const Step& step, bool forward);

    std::size_t limit_;
    std::deque<Step> steps_;
    std::size_t applied_ = 0;             // steps_[0..applied_) are in effect
    std::optional<std::size_t> savedAt_;  // nothing once the saved point was forgotten
    bool lastStepOpen_ = false;           // the last step may still take typing
    Baseline base_;
};
