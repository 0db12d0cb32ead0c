// The main window as every secondary window and panel sees it: one adapter implements the
// context every window shares and the small host interfaces of the windows and panels that
// write the workbook or the main window's own state, on the main window's controls and tables.
#pragma once

#include "core/windows/company/company_window.h"
#include "core/windows/data_edit/data_edit_window.h"
#include "core/windows/file_merge/file_merge_window.h"
#include "core/windows/help/button_help_window.h"
#include "core/windows/help/data_creation_help_window.h"
#include "core/windows/kana_position/kana_position_window.h"
#include "core/windows/main/lookup_panel.h"
#include "core/windows/main/memory_list.h"
#include "core/windows/manuscript/manuscript_window.h"
#include "core/windows/password/password_window.h"
#include "core/windows/ruled/ruled_window.h"
#include "core/windows/test_builder/test_builder_window.h"
#include "core/windows/text_flow/text_flow_window.h"
#include "core/windows/tracing_color/tracing_color_window.h"

class MainWindow;

class MainWindowHosts : public WindowContext,
                        public TracingColorHost,
                        public CompanyHost,
                        public LookupPanelHost,
                        public MemoryListHost,
                        public ManuscriptHost,
                        public TextFlowHost,
                        public KanaPositionHost,
                        public PasswordHost,
                        public TestBuilderHost {
public:
    explicit MainWindowHosts(MainWindow& mw) : mw_(mw) {}

    // Every window and panel
    Platform& platform() override;
    void nameStep(const QString& name) override;
    void openWindow(WindowId id) override;
    void closeWindow(WindowId id) override;
    QString fontName() const override;
    QString problemFile() const override;
    QString workbookFolder() const override;
    bool fixedPrinterMode() const override;
    void showNow() override;
    int gridCursorRow() const override;
    bool gridReadingProposed(int row) const override;

    // Tracing colour, company
    int currentTracingColor() const override;
    void tracingChosen(int color) override;
    void tracingCancelled() override;
    void setCompany(const QString& name) override;

    // Lookup panel, memory list
    QString company() const override;
    ReadingDictionary& readingDictionary() override;
    Workbook& workbook() override;
    QString gridText(int row, SlotField field) const override;
    void setGridText(int row, SlotField field, const QString& text) override;
    void setToolButtonVisible(ToolbarButton button, bool visible) override;
    void setToolButtonEnabled(ToolbarButton button, bool enabled) override;
    void setToolButtonPicture(ToolbarButton button, Picture picture) override;
    void setMenuEnabled(const QString& name, bool enabled) override;
    void enablePageCommands() override;
    void setWindowWidth(int twips) override;
    int windowWidth() const override;
    void setMemoryPanelVisible(bool visible) override;
    void setArrowPadVisible(bool visible) override;
    void setTitleLabelVisible(bool visible) override;
    void ensurePageOnScreen() override;
    QString headingBoxText() const override;
    void setHeadingBoxColor(int bgr) override;
    void focusHeadingBox() override;
    QString headingLabel() const override;
    void showRegisterButton() override;
    int secondWordToggle(int row) const override;
    void setSecondWordToggle(int row, bool on) override;
    void setSecondWordTooltip(int row, const QString& tooltip) override;
    int numberLabelColor(int row) const override;
    void setNumberLabelColor(int row, int bgr) override;
    void showExampleButton() override;

    // Manuscript paper, text flow, kana position
    QString gridKanji(int row) override;
    QString gridReading(int row) override;
    void setGridCell(int row, FlowTarget target, const QString& text) override;
    bool gridRowHoldsProblem(int row) override;
    void clearGridRow(int row) override;
    QString headingBoxText() override;
    double kanaOffset1() override;
    double kanaOffset2() override;
    void setKanaOffsets(double offset1, double offset2) override;

    // Password prompt
    MaintenanceTool markedTool() const override;
    void markTool(MaintenanceTool tool) override;

    // Test builder
    QString lookupKanji() const override;
    void storePageOnScreen() override;
    void appendTestPages(const std::vector<PageRecord>& pages) override;

private:
    MainWindow& mw_;
};
