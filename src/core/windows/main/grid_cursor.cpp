// Moving the grid cursor: Enter, the arrow keys (hard type) and the on-screen arrow pad.
#include "core/data/problem_files.h"
#include "core/windows/main/main_window.h"

void MainWindow::setCursorKeyType(CursorKeyType t) {
    cursorKeys = t;
    switch (t) {
    case CursorKeyType::Hard:
        arrowPadVisible = false;
        arrowImages = {false, false, false, false, false, false};
        arrowKeysActive = true;
        break;
    case CursorKeyType::Soft:
        arrowPadVisible = true;
        arrowImages = {true, true, true, true, true, true};
        arrowKeysActive = false;
        break;
    case CursorKeyType::DownOnly:
        // Only the down arrow stays; it is shown even after the hard type hid the pad, so
        // the mode always works.
        arrowImages[2] = false;
        arrowImages[4] = false;
        arrowImages[5] = false;
        arrowImages[3] = true;
        arrowPadVisible = true;
        break;
    }
}

void MainWindow::onEnterInEntryBox() {
    Action action(*this);
    int r = grid.row;
    int c = grid.col;
    const bool downOnly = !arrowImages[2] && arrowImages[3];
    if (downOnly) {
        selectCell(r == 10 ? 1 : r + 1, c);
        return;
    }
    const bool second = grid.showsSecondWord(r);
    const int last = second ? kColAfter2 : kColAfter;
    if (r == 10 && c >= last) {
        bool opened = false;
        if (wb_.headingList.isEmpty()) {
            openBlankPage(1);
            opened = true;
        } else if (platform_.messageBox(QStringLiteral("新しいページに移動しますか"), QStringLiteral("確認"),
                                        MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes) {
            const int n = static_cast<int>(wb_.headingList.size()) + 1;
            opened = n <= kMaxPages;
            openBlankPage(n);
        }
        if (opened) storeGrid();
        return;
    }
    const bool pass = checked(QStringLiteral("yp"));
    if (c >= last) {
        r += 1;
        c = kColBefore;
    } else if (c == kColKanji || c == kColKanji2) {
        c += pass ? 2 : 1;
        if (!second && c > kColAfter) c = kColAfter;
    } else {
        c += 1;
    }
    selectCell(r, c);
    storeGrid();
}

void MainWindow::onArrowKey(int key) {
    Action action(*this);
    if (!arrowKeysActive) return;
    const int r = grid.row;
    const int c = grid.col;
    if (key == Qt::Key_Up && r > 1)
        selectCell(r - 1, c);
    else if (key == Qt::Key_Down && r < 10)
        selectCell(r + 1, c);
    else if (key == Qt::Key_Left && c > kColBefore)
        selectCell(r, c - 1);
    else if (key == Qt::Key_Right && c != kColAfter && c != kColAfter2)
        selectCell(r, c + 1);
}

void MainWindow::onArrowImageClick(int image) {
    Action action(*this);
    if (image < 2 || image > 5 || !arrowImages[static_cast<size_t>(image)]) return;
    const int r = grid.row;
    const int c = grid.col;
    // Between rows a second-word cell goes to the same cell of the other row when that row
    // shows its second word, else to the matching first-word cell (kanji2 to kanji ...).
    auto vertical = [&](int target) {
        if (target < 1 || target > 10) return;
        if (c >= kColKanji2 && !grid.showsSecondWord(target))
            selectCell(target, c - 3);
        else
            selectCell(target, c);
    };
    switch (image) {
    case 2: vertical(r - 1); break;
    case 3: vertical(r + 1); break;
    case 4:
        if (c > kColBefore) selectCell(r, c - 1);
        break;
    case 5: {
        const int last = grid.showsSecondWord(r) ? kColAfter2 : kColAfter;
        if (c < last) selectCell(r, c + 1);
        break;
    }
    }
}
