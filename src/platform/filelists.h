#pragma once
// The drive, folder and file lists of the file windows. Drives are the mounted volumes; the folder
// list shows the way from the volume's root to the current folder and the folders inside it; the
// file list shows the files of one folder matching a pattern without regard to case.
#include <QComboBox>
#include <QListWidget>
#include <QString>

namespace plat {

class DriveList : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveList(QWidget* parent = nullptr);
  // The chosen volume's root ("/", "/media/usb").
  QString drive() const { return currentText(); }
  // Chooses the volume holding path, without emitting driveChanged.
  void showDriveOf(const QString& path);
 signals:
  void driveChanged(const QString& root);
};

class DirList : public QListWidget {
  Q_OBJECT
 public:
  explicit DirList(QWidget* parent = nullptr);
  QString path() const { return path_; }
  // Shows path (which must be a folder) and emits pathChanged; false, nothing changed, otherwise.
  bool setPath(const QString& path);
 signals:
  void pathChanged(const QString& path);

 private:
  void fill();
  QString path_;
};

class FileList : public QListWidget {
  Q_OBJECT
 public:
  explicit FileList(QWidget* parent = nullptr);
  QString path() const { return path_; }
  void setPath(const QString& path);
  QString pattern() const { return pattern_; }
  void setPattern(const QString& pattern);
  // The chosen file's name (without folder), or "" when none is chosen.
  QString fileName() const;
  // Chooses the file by name as a click would (emits fileClicked); false when it is not listed.
  bool choose(const QString& name);
  // Lists the folder again.
  void refresh();
 signals:
  // A file chosen by a click or by moving to it with the keys.
  void fileClicked(const QString& name);
  // A double click, or Enter on a file.
  void fileActivated(const QString& name);

 private:
  QString path_;
  QString pattern_ = QStringLiteral("*.*");
};

}  // namespace plat
