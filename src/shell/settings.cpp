#include "shell/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "shell/lang.h"

namespace shell {

QString SettingValue::toText() const {
  switch (kind) {
    case Kind::Text:
      return text;
    case Kind::Number:
      return plat::plainNumber(number);
    case Kind::Flag:
      return flag ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Nothing:
      break;
  }
  return {};
}

double SettingValue::toNumber() const {
  switch (kind) {
    case Kind::Text:
      return plat::leadingNumber(text);
    case Kind::Number:
      return number;
    case Kind::Flag:
      return flag ? -1 : 0;
    case Kind::Nothing:
      break;
  }
  return 0;
}

ShopSettings& settings() {
  static ShopSettings s;
  return s;
}

QString settingsPath() { return plat::installPath(QStringLiteral("Kelvantorium.new")); }
QString settingsCopyPath() { return plat::installPath(QStringLiteral("Kelvantorium1.new")); }

namespace {

// Why the settings file could not be read or copied, each in both languages: %1 the file and %2
// the system's words, or for a line too short or a field that does not read, what they name.
enum class Why {
  Missing,
  Folder,
  NoPermission,
  Unreadable,
  CopyDiskFull,
  CopyNoPermission,
  CopyFolder,
  CopyFailed,
  TooFewFields,
  BadField,
  NotWhole,
  OutOfRange,
  NotNumber,
  NotFlag,
};

QString reasonText(Why why, bool thaiText) {
  static const Words<Why> rows[] = {
      {Why::Missing, QStringLiteral("ไม่พบแฟ้ม %1"), QStringLiteral("File not found: %1")},
      {Why::Folder, QStringLiteral("อ่านแฟ้ม %1 ไม่ได้: ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"),
       QStringLiteral("Cannot read %1: it is a folder, not a file.")},
      {Why::NoPermission, QStringLiteral("อ่านแฟ้ม %1 ไม่ได้: ไม่มีสิทธิ์อ่านแฟ้มนี้"),
       QStringLiteral("Cannot read %1: there is no permission to read it.")},
      {Why::Unreadable, QStringLiteral("อ่านแฟ้ม %1 ไม่ได้ (%2)"), QStringLiteral("Cannot read %1: %2")},
      {Why::CopyDiskFull, QStringLiteral("คัดลอกค่าที่ตั้งไว้ไปที่ %1 ไม่ได้: ดิสก์เต็ม"),
       QStringLiteral("Cannot copy the settings to %1: the disk is full.")},
      {Why::CopyNoPermission, QStringLiteral("คัดลอกค่าที่ตั้งไว้ไปที่ %1 ไม่ได้: ไม่มีสิทธิ์เขียนในโฟลเดอร์ของแฟ้มนี้"),
       QStringLiteral("Cannot copy the settings to %1: there is no permission to write in its folder.")},
      {Why::CopyFolder, QStringLiteral("คัดลอกค่าที่ตั้งไว้ไปที่ %1 ไม่ได้: ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"),
       QStringLiteral("Cannot copy the settings to %1: it is a folder, not a file.")},
      {Why::CopyFailed, QStringLiteral("คัดลอกค่าที่ตั้งไว้ไปที่ %1 ไม่ได้ (%2)"),
       QStringLiteral("Cannot copy the settings to %1: %2")},
      {Why::TooFewFields, QStringLiteral("แฟ้มค่าที่ตั้งไว้มีเพียง %1 ช่องจาก %2 ช่องที่ต้องใช้"),
       QStringLiteral("Input past end of file: the settings file holds %1 of the %2 fields needed.")},
      {Why::BadField, QStringLiteral("ช่องที่ %1 (%2) ของแฟ้มค่าที่ตั้งไว้ \"%3\" %4"),
       QStringLiteral("Field %1 (%2) of the settings file, \"%3\", %4.")},
      {Why::NotWhole, QStringLiteral("ไม่ใช่จำนวนเต็ม"), QStringLiteral("is not a whole number")},
      {Why::OutOfRange, QStringLiteral("อยู่นอกช่วงที่ใช้ได้ (-32768 ถึง 32767)"),
       QStringLiteral("is out of range (-32768 to 32767)")},
      {Why::NotNumber, QStringLiteral("ไม่ใช่ตัวเลข"), QStringLiteral("is not a number")},
      {Why::NotFlag, QStringLiteral("ไม่ใช่ #TRUE# หรือ #FALSE#"),
       QStringLiteral("is neither #TRUE# nor #FALSE#")},
  };
  return wordsFor(rows, why, thaiText);
}

// A reason about path in the language LangThai names now, with the system's words where it has them.
QString reason(Why why, const QString& path, const QString& systemWords = {}) {
  const QString text = reasonText(why, thai());
  const QString shown = QDir::toNativeSeparators(path);
  return why == Why::Unreadable || why == Why::CopyFailed ? text.arg(shown, systemWords) : text.arg(shown);
}

// One field as it stood in the file: its characters and whether they stood between quotes.
struct RawField {
  QString text;
  bool quoted = false;
};

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Splits the file's text into at most `want` fields: separated by commas or line ends, blanks
// before a field skipped, a field that opens with a double quote running to the next one.
std::vector<RawField> splitFields(const QString& s, int want) {
  std::vector<RawField> out;
  int i = 0;
  const int n = static_cast<int>(s.size());
  while (static_cast<int>(out.size()) < want) {
    while (i < n && isBlank(s[i])) ++i;
    if (i >= n) break;  // nothing left: the field is missing
    RawField f;
    if (s[i] == u'"') {
      f.quoted = true;
      const int close = static_cast<int>(s.indexOf(u'"', i + 1));
      const int end = close < 0 ? n : close;
      f.text = s.mid(i + 1, end - i - 1);
      i = close < 0 ? n : close + 1;
      // Whatever stands between the closing quote and the separator is not part of the field.
      while (i < n && s[i] != u',' && !isLineEnd(s[i])) ++i;
    } else {
      const int start = i;
      while (i < n && s[i] != u',' && !isLineEnd(s[i])) ++i;
      f.text = s.mid(start, i - start);
      while (!f.text.isEmpty() && isBlank(f.text.back())) f.text.chop(1);
    }
    // Consume the separator: a comma, or one line end (CR LF counts once).
    if (i < n && s[i] == u',') {
      ++i;
    } else if (i < n && s[i] == u'\r') {
      ++i;
      if (i < n && s[i] == u'\n') ++i;
    } else if (i < n && s[i] == u'\n') {
      ++i;
    }
    out.push_back(f);
  }
  return out;
}

bool isFlagText(const QString& t, bool* value) {
  if (t.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) {
    *value = true;
    return true;
  }
  if (t.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) {
    *value = false;
    return true;
  }
  return false;
}

// A number field: empty gives 0, a flag -1 or 0; anything that spells no number fails.
std::optional<double> toNumberField(const RawField& f) {
  const QString t = f.text.trimmed();
  if (t.isEmpty()) return 0.0;
  bool flag = false;
  if (isFlagText(t, &flag)) return flag ? -1.0 : 0.0;
  return plat::parseNumber(t);
}

class FieldReader {
 public:
  FieldReader(const std::vector<RawField>& fields, int want) : fields_(fields), want_(want) {}

  bool ok() const { return failedField_ == 0; }
  // The failure in Thai or English: the field, its name, its start and why.
  QString failure(bool thaiText) const {
    // A damaged file can hold a field of any length: the message shows its start.
    constexpr int kShown = 40;
    QString text = fields_[failedField_ - 1].text;
    if (text.size() > kShown) text = text.left(kShown) + QStringLiteral("...");
    return reasonText(Why::BadField, thaiText)
        .arg(QString::number(failedField_), failedName_, text, reasonText(why_, thaiText));
  }
  // True while field number k (1-based) is one the caller asked for.
  bool wanted(int k) const { return k <= want_; }

  void text(int k, QString& out) {
    if (!wanted(k) || !ok()) return;
    out = fields_[k - 1].text;
  }

  void value(int k, SettingValue& out) {
    if (!wanted(k) || !ok()) return;
    const RawField& f = fields_[k - 1];
    bool flag = false;
    if (f.quoted) {
      out = SettingValue::ofText(f.text);
    } else if (f.text.isEmpty()) {
      out = SettingValue{};
    } else if (isFlagText(f.text, &flag)) {
      out = SettingValue::ofFlag(flag);
    } else if (const auto v = plat::parseNumber(f.text)) {
      out = SettingValue::ofNumber(*v);
    } else {
      out = SettingValue::ofText(f.text);
    }
  }

  void whole(int k, const char* name, qint16& out) {
    if (!wanted(k) || !ok()) return;
    const auto v = toNumberField(fields_[k - 1]);
    if (!v) {
      fail(k, name, Why::NotWhole);
      return;
    }
    const double r = plat::roundTo(*v, 0);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max()) {
      fail(k, name, Why::OutOfRange);
      return;
    }
    out = static_cast<qint16>(r);
  }

  void number(int k, const char* name, double& out) {
    if (!wanted(k) || !ok()) return;
    const auto v = toNumberField(fields_[k - 1]);
    if (!v) {
      fail(k, name, Why::NotNumber);
      return;
    }
    out = *v;
  }

  void flag(int k, const char* name, bool& out) {
    if (!wanted(k) || !ok()) return;
    const QString t = fields_[k - 1].text.trimmed();
    bool f = false;
    if (isFlagText(t, &f)) {
      out = f;
    } else if (t.isEmpty()) {
      out = false;
    } else if (const auto v = plat::parseNumber(t)) {
      out = *v != 0;
    } else {
      fail(k, name, Why::NotFlag);
    }
  }

 private:
  void fail(int k, const char* name, Why why) {
    failedField_ = k;
    failedName_ = QLatin1String(name);
    why_ = why;
  }

  const std::vector<RawField>& fields_;
  int want_;
  int failedField_ = 0;  // none while the fields read
  QString failedName_;
  Why why_ = Why::BadField;
};

// The language to tell a fault of the file's line in: its own LangThai when that field reads, as
// the login meets the fault before the record holds a language; else the one LangThai names now.
bool fileSpeaksThai(const QByteArray& bytes) {
  constexpr int kLangThai = 13;
  const std::vector<RawField> raw = splitFields(plat::fromCp874(bytes), kLangThai);
  if (static_cast<int>(raw.size()) < kLangThai) return thai();
  FieldReader in(raw, kLangThai);
  bool fileThai = false;
  in.flag(kLangThai, "LangThai", fileThai);
  return in.ok() ? fileThai : thai();
}

// A text between quotes. A double quote would end the field early on the next read and shift
// every later field, so it becomes an apostrophe; a line end would break the one-line file.
QString quoted(const QString& t) {
  QString s = t;
  s.replace(u'"', u'\'');
  s.replace(u'\r', u' ');
  s.replace(u'\n', u' ');
  return u'"' + s + u'"';
}

QString flagField(bool f) { return f ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"); }

QString valueField(const SettingValue& v) {
  switch (v.kind) {
    case SettingValue::Kind::Text:
      return quoted(v.text);
    case SettingValue::Kind::Number:
      return plat::plainNumber(v.number);
    case SettingValue::Kind::Flag:
      return flagField(v.flag);
    case SettingValue::Kind::Nothing:
      break;
  }
  return {};
}

// The settings file's bytes, or nullopt with *error.
std::optional<QByteArray> readFileBytes(const QString& path, QString* error) {
  const QFileInfo info(path);
  QFile f(path);
  std::optional<Why> why;
  if (!info.exists())
    why = Why::Missing;
  else if (info.isDir())
    why = Why::Folder;
  else if (!f.open(QIODevice::ReadOnly))
    why = info.isReadable() ? Why::Unreadable : Why::NoPermission;
  if (!why) return f.readAll();
  if (error) *error = reason(*why, path, f.errorString());
  return std::nullopt;
}

// The database path as the file keeps it: a path the Thai code page cannot hold (a folder named
// "café") is kept relative to the installation folder when it lies there, so the next start finds
// the database.
SettingValue storedDbPath(const SettingValue& v) {
  if (v.kind != SettingValue::Kind::Text || plat::fromCp874(plat::toCp874(v.text)) == v.text) return v;
  const QString dir = QDir::cleanPath(plat::installDir()) + QLatin1Char('/');
  const QString path = QDir::cleanPath(v.text);
  if (!path.startsWith(dir)) return v;
  const QString inside = path.mid(dir.size());
  return plat::fromCp874(plat::toCp874(inside)) == inside ? SettingValue::ofText(inside) : v;
}

}  // namespace

bool decodeSettings(const QByteArray& bytes, int fields, ShopSettings& rec, QString* error) {
  fields = std::clamp(fields, 1, 26);
  const std::vector<RawField> raw = splitFields(plat::fromCp874(bytes), fields);
  if (static_cast<int>(raw.size()) < fields) {
    if (error) *error = reasonText(Why::TooFewFields, fileSpeaksThai(bytes)).arg(raw.size()).arg(fields);
    return false;
  }
  // Read into a copy, so a failure leaves the record as it was.
  ShopSettings r = rec;
  FieldReader in(raw, fields);
  in.value(1, r.ComName);
  in.text(2, r.ComAddress);
  in.text(3, r.ComAddress1);
  in.text(4, r.ComPhone);
  in.text(5, r.HeadInvoice);
  in.value(6, r.ComTaxID);
  in.text(7, r.PosText);
  in.text(8, r.TotalVatText);
  in.value(9, r.ReportFontSize);
  in.whole(10, "BillFontSize", r.BillFontSize);
  in.value(11, r.DisplayPort);
  in.value(12, r.DrawerPort);
  in.flag(13, "LangThai", r.LangThai);
  in.whole(14, "PrintType", r.PrintType);
  in.number(15, "VatRate", r.VatRate);
  in.text(16, r.SpareText);
  in.whole(17, "SlipWidth", r.SlipWidth);
  in.value(18, r.DbPath);
  in.value(19, r.BillPrinter);
  in.text(20, r.FontName);
  in.flag(21, "BillNoContinue", r.BillNoContinue);
  in.value(22, r.InvLine1);
  in.value(23, r.InvLine2);
  in.value(24, r.InvLine3);
  in.text(25, r.InvLine4);
  in.text(26, r.ReportPrinter);
  if (!in.ok()) {
    if (error) *error = in.failure(fileSpeaksThai(bytes));
    return false;
  }
  // A relative database path names a file in the installation folder.
  if (r.DbPath.kind == SettingValue::Kind::Text && !r.DbPath.text.isEmpty() &&
      QDir::isRelativePath(r.DbPath.text))
    r.DbPath.text = plat::installPath(r.DbPath.text);
  rec = r;
  return true;
}

QByteArray encodeSettings(const ShopSettings& r) {
  const QStringList f{valueField(r.ComName),
                      quoted(r.ComAddress),
                      quoted(r.ComAddress1),
                      quoted(r.ComPhone),
                      quoted(r.HeadInvoice),
                      valueField(r.ComTaxID),
                      quoted(r.PosText),
                      quoted(r.TotalVatText),
                      valueField(r.ReportFontSize),
                      QString::number(r.BillFontSize),
                      valueField(r.DisplayPort),
                      valueField(r.DrawerPort),
                      flagField(r.LangThai),
                      QString::number(r.PrintType),
                      plat::plainNumber(r.VatRate),
                      quoted(r.SpareText),
                      QString::number(r.SlipWidth),
                      valueField(storedDbPath(r.DbPath)),
                      valueField(r.BillPrinter),
                      quoted(r.FontName),
                      flagField(r.BillNoContinue),
                      valueField(r.InvLine1),
                      valueField(r.InvLine2),
                      valueField(r.InvLine3),
                      quoted(r.InvLine4),
                      quoted(r.ReportPrinter)};
  return plat::toCp874(f.join(u',') + QStringLiteral("\r\n"));
}

std::optional<QChar> unkeptDbPathChar(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  ShopSettings r;
  r.DbPath = SettingValue::ofText(path);
  ShopSettings back;
  const QString want = QDir::cleanPath(QDir::isRelativePath(path) ? plat::installPath(path) : path);
  if (decodeSettings(encodeSettings(r), 18, back, nullptr) && QDir::cleanPath(back.DbPath.toText()) == want)
    return std::nullopt;
  for (const QChar c : path)
    if (c == u'"' || c == u'\r' || c == u'\n' || plat::fromCp874(plat::toCp874(QString(c))) != QString(c))
      return c;
  return path.front();
}

// By design: the login reads the file before the record holds a language, so a file it cannot
// read at all is told in English; a fault of its line in the line's own language.
bool readSettings18(ShopSettings& rec, QString* error) {
  const auto bytes = readFileBytes(settingsPath(), error);
  return bytes && decodeSettings(*bytes, 18, rec, error);
}

bool readSettings26(ShopSettings& rec, QString* error) {
  const auto bytes = readFileBytes(settingsPath(), error);
  if (!bytes) return false;
  // The copy is made before the read, so it is renewed even when the read then fails.
  QString why;
  bool full = false;
  if (!plat::replaceFileAtomic(settingsCopyPath(), *bytes, &why, &full)) {
    const QFileInfo copy(settingsCopyPath());
    const Why w = full                                           ? Why::CopyDiskFull
                  : copy.isDir()                                 ? Why::CopyFolder
                  : !QFileInfo(copy.absolutePath()).isWritable() ? Why::CopyNoPermission
                                                                 : Why::CopyFailed;
    if (error) *error = reason(w, settingsCopyPath(), why);
    return false;
  }
  return decodeSettings(*bytes, 26, rec, error);
}

bool writeSettings(const ShopSettings& rec, QString* error) {
  QString why;
  bool full = false;
  if (plat::replaceFileAtomic(settingsPath(), encodeSettings(rec), &why, &full)) return true;
  if (!error) return false;
  if (full)
    *error = L(QStringLiteral("ดิสก์เต็ม กรุณาลบไฟล์ที่ไม่ใช้ให้มีที่ว่างแล้วลองอีกครั้ง (%1)"),
               QStringLiteral("The disk is full: free some space on it and try again (%1)."))
                 .arg(settingsPath());
  else
    *error = L(QStringLiteral("บันทึกค่าที่ตั้งไว้ลงใน %1 ไม่ได้: %2"),
               QStringLiteral("The settings could not be saved to %1: %2"))
                 .arg(settingsPath(), why);
  return false;
}

}  // namespace shell
