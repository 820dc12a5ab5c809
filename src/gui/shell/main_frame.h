// The main window: menu bar, the Standard, Setup and Diagram toolbars, the status bar with the
// port-settings pane, the three docking panes and the tabbed network documents.
//
// Commands are actions keyed by their ids, made with the menus and toolbars from the command
// tables (main_frame_commands.cpp); the frame's own commands run through one table from command
// to handler, and the Setup and Diagram commands go to the active network frame, which also
// decides their enable and check state. The document frames' life is in main_frame_frames.cpp:
// the console and Parameters panes are bound to the active frame's document model and hear it
// themselves. UI thread only.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

#include "gui/shell/command_tables.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_doc.h"

class QDockWidget;
class QLabel;
class QMenu;
class QSettings;
class QSpinBox;
class QToolBar;

namespace netloom::panes {
class CConsoleViewBar;
class COutputEdit;
class CPropertiesViewBar;
}  // namespace netloom::panes

namespace netloom::shell {

class DocumentTabs;
class LockIndicators;

// How a new network document starts.
struct DocumentStart {
  enum class Kind {
    AskSettings,  // the UART dialog first; nothing is opened
    Demo,         // connected to the demo network and running
    Port,         // connected to `portPath` and running
    Offline,      // nothing asked, nothing opened (a saved network is shown in it)
  };
  Kind kind = Kind::AskSettings;
  std::string portPath;
};

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(QSettings& settings, QWidget* parent = nullptr);
  ~CMainFrame() override;

  QAction* Action(int id) const;
  QToolBar* ToolBar(int id) const;
  QDockWidget* Pane(int id) const;
  panes::CConsoleViewBar* console() const { return console_; }
  panes::CPropertiesViewBar* parameters() const { return parameters_; }
  QLabel* portInfoPane() const { return portInfo_; }
  QSpinBox* refreshTimeBox() const { return refreshTime_; }
  LockIndicators* lockIndicators() const { return lockIndicators_; }
  DocumentTabs* tabs() const { return tabs_; }
  int applicationLook() const { return look_; }
  view::CNetloomDoc* rememberedNetworkDocument() const { return networkDoc_; }
  view::CChildFrame* ActiveFrame() const;
  QList<view::CChildFrame*> Frames() const;
  // True while the document menus (130) are shown; false for the no-document menus (128).
  bool documentMenusShown() const { return documentMenus_; }

  // Opens a network document in a new frame and activates it.
  view::CChildFrame* OpenNetworkDocument(const DocumentStart& start = {});
  // File > Open, Recent Files and `netloom FILE`: a saved network opens offline in a new
  // document, a session log in a read-only pane of its own; either joins Recent Files. False
  // (after telling why) when the file is neither.
  bool OpenFile(const QString& path);
  // File > Save (`askName` false: to the file the document was saved to or opened from, if it
  // has one) and Save As; false when nothing was saved.
  bool SaveDocument(view::CChildFrame* frame, bool askName);
  // File > Save Log...: the active document's session log.
  void SaveLog();
  // "ZigBee Command": activates the remembered network document, or opens and remembers one.
  void NewNetworkDocument();
  // File New: a new network document that is not remembered.
  void OnFileNew();
  // Window > New Window: another frame on the active document.
  void NewWindow();
  void SetApplicationLook(int id);
  void RecolourTabs();
  void ResetToolbar(QToolBar* toolBar);
  // Re-reads the enable and check state of every command.
  void UpdateCommandUi();
  // Edit > Paste: enabled while an output pane has the focus and the clipboard holds text.
  void UpdatePasteCommand();
  // Closes one frame (it disconnects first); false when it refused.
  bool CloseFrame(QWidget* frame);
  void ShowWindowsDialog();
  void ShowCustomizeDialog();
  void TogglePane(int id);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What a command of the frame's own does; `checked`: a checkable command's new state.
  using Handler = void (*)(CMainFrame& frame, bool checked);
  static const std::map<int, Handler>& Handlers();

  void CreateActions();
  void CreateMenus();
  // Fills a menu made anew each time it opens (MenuFill).
  void FillMenu(MenuFill kind, QMenu& menu);
  void CreateToolBars();
  void CreateStatusBar();
  void CreatePanes();
  void ShowMenus(bool documentMenus);
  void AddFrame(view::CChildFrame* frame);
  // File > Close: every frame on the active document.
  void CloseActiveDocument();
  // How many frames show `doc`.
  int FrameCount(const view::CNetloomDoc* doc) const;
  void OnActiveFrameChanged(int index);
  void UpdateFrameTitles();
  void RunFrameCommand(int id);
  // The output pane that has the keyboard focus, or null.
  static panes::COutputEdit* PasteTarget();
  void Print(bool preview);
  // File > Recent Files, as it opens.
  void FillRecentMenu(QMenu& menu);

  QSettings& settings_;
  int look_;
  std::map<int, QAction*> actions_;
  std::map<int, QToolBar*> toolBars_;
  std::map<int, QDockWidget*> panes_;
  QList<QMenu*> documentMenuSet_;  // menu 130
  QList<QMenu*> emptyMenuSet_;     // menu 128
  bool documentMenus_ = true;
  DocumentTabs* tabs_;
  panes::CConsoleViewBar* console_ = nullptr;
  panes::CPropertiesViewBar* parameters_ = nullptr;
  QLabel* portInfo_ = nullptr;
  QSpinBox* refreshTime_ = nullptr;
  LockIndicators* lockIndicators_ = nullptr;
  QPointer<view::CNetloomDoc> networkDoc_;
  QPointer<view::CChildFrame> activeFrame_;
  bool showTooltips_ = true;
  bool closePending_ = false;  // the window closes once no document waits any more
};

}  // namespace netloom::shell
