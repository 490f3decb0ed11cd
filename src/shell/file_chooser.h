#pragma once
// The two file windows: LoadData puts a backup copy in place of the database in use; BrowseData
// picks a database file for the options window. Both list drives, folders and files, and keep the
// shared connection closed while they are open.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/dbfile.h"
#include "platform/filelists.h"
#include "platform/form.h"
#include "platform/ui_kit.h"

namespace shell {

class FileChooser : public plat::Form {
  Q_OBJECT
 public:
  explicit FileChooser(QWidget* parent = nullptr);
  bool isTopLevelWindow() const override { return true; }
  bool unloadsOnDeactivate() const override { return true; }
  void Form_Unload() override;

  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void File1_DblClick() { cmdOk_Click(); }
  virtual void cmdOk_Click() = 0;
  void cmdCancel_Click() { unload(); }

  // The folder, "/" and the text of Text1: the file the user means.
  QString chosenPath() const;

  plat::DriveList* Drive1 = nullptr;
  plat::DirList* Dir1 = nullptr;
  plat::FileList* File1 = nullptr;
  QLabel* lblFname = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* cmdOk = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  // Size, Thai captions of the shared controls, pattern, first folder; then the connection closes.
  void loadChooser(const QString& thaiCaption, const QString& pattern);
  // Widens the file list to show widest whole, moving what stands right of it and the window along.
  void widenFileListFor(const QString& widest);

  plat::ui::Controls controls_;
};

class LoadData : public FileChooser {
  Q_OBJECT
 public:
  LoadData();
  void Form_Load() override;
  bool unloadsOnDeactivate() const override { return !restoring_; }
  void Combo1_Click();
  void cmdOk_Click() override;

  QComboBox* Combo1 = nullptr;
  // The full path of the file being restored.
  QString RestorePath;

 private:
  bool restoring_ = false;
};

class BrowseData : public FileChooser {
  Q_OBJECT
 public:
  explicit BrowseData(QWidget* options = nullptr);
  void Form_Load() override;
  void cmdOk_Click() override;

  // The path cmdOk_Click built.
  QString DataPath;
};

}  // namespace shell
