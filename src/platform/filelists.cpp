#include "platform/filelists.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace plat {

namespace {
constexpr int kPathRole = Qt::UserRole;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  QStringList roots;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
    if (v.isValid() && v.isReady() && QFileInfo(v.rootPath()).isDir()) roots << v.rootPath();
  roots.removeDuplicates();
  roots.sort();
  addItems(roots);
  connect(this, &QComboBox::activated, this, [this](int) { emit driveChanged(currentText()); });
}

void DriveList::showDriveOf(const QString& path) {
  const QString root = QStorageInfo(path).rootPath();
  int i = findText(root);
  if (i < 0 && !root.isEmpty()) {
    addItem(root);
    i = count() - 1;
  }
  QSignalBlocker block(this);
  setCurrentIndex(i);
}

DirList::DirList(QWidget* parent) : QListWidget(parent) {
  // Opening a folder (double click or Enter) makes it the current folder.
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { setPath(item->data(kPathRole).toString()); });
}

bool DirList::setPath(const QString& path) {
  const QFileInfo fi(path);
  if (!fi.isDir()) return false;
  path_ = QDir::cleanPath(fi.absoluteFilePath());
  fill();
  emit pathChanged(path_);
  return true;
}

void DirList::fill() {
  clear();
  // The way down from the volume's root, then the folders inside the current one.
  const QString root = QDir::cleanPath(QStorageInfo(path_).rootPath());
  QStringList way;
  for (QDir d(path_);; d.cdUp()) {
    way.prepend(d.absolutePath());
    if (QDir::cleanPath(d.absolutePath()) == root || d.isRoot()) break;
  }
  int depth = 0;
  QListWidgetItem* current = nullptr;
  for (const QString& p : way) {
    const QString name = depth == 0 ? p : QFileInfo(p).fileName();
    auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
    item->setData(kPathRole, p);
    current = item;
    ++depth;
  }
  const QStringList subs =
      QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& s : subs) {
    auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + s, this);
    item->setData(kPathRole, QDir(path_).filePath(s));
  }
  setCurrentItem(current);
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  // Moving to a file with the keys chooses it, as a click does.
  connect(this, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* now, QListWidgetItem*) {
    if (!now) return;
    now->setSelected(true);
    emit fileClicked(now->text());
  });
  connect(this, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit fileActivated(item->text()); });
}

void FileList::setPath(const QString& path) {
  path_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  refresh();
}

void FileList::setPattern(const QString& pattern) {
  pattern_ = pattern;
  refresh();
}

void FileList::refresh() {
  QSignalBlocker block(this);
  clear();
  if (path_.isEmpty()) return;
  // Without QDir::CaseSensitive the pattern matches "x.bak" and "X.BAK" alike.
  const QStringList files =
      QDir(path_).entryList(pattern_.split(QLatin1Char(';')), QDir::Files, QDir::Name | QDir::IgnoreCase);
  addItems(files);
  setCurrentRow(-1);
}

QString FileList::fileName() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->text() : QString();
}

bool FileList::choose(const QString& name) {
  const auto found = findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  {
    QSignalBlocker block(this);
    setCurrentItem(found.front());
    found.front()->setSelected(true);
  }
  emit fileClicked(name);
  return true;
}

}  // namespace plat
