#pragma once
// The shop's settings: one record of 26 fields kept for the life of the process and stored as one
// comma-separated line (code page 874) in the installation folder's settings file.
#include <QString>
#include <optional>

namespace shell {

// A field that holds whatever kind was last stored in it, and is written by that kind.
struct SettingValue {
  enum class Kind { Nothing, Text, Number, Flag };
  Kind kind = Kind::Nothing;
  QString text;
  double number = 0;
  bool flag = false;

  static SettingValue ofText(const QString& t) {
    SettingValue v;
    v.kind = Kind::Text;
    v.text = t;
    return v;
  }
  static SettingValue ofNumber(double n) {
    SettingValue v;
    v.kind = Kind::Number;
    v.number = n;
    return v;
  }
  static SettingValue ofFlag(bool f) {
    SettingValue v;
    v.kind = Kind::Flag;
    v.flag = f;
    return v;
  }

  bool isText() const { return kind == Kind::Text; }
  bool isNumber() const { return kind == Kind::Number; }
  bool isNothing() const { return kind == Kind::Nothing; }
  // The value as text: the text itself, a number as a plain number, a flag as "True"/"False".
  QString toText() const;
  // The value as a number: a number itself, a text's leading number, a flag as -1/0.
  double toNumber() const;
  bool operator==(const SettingValue& o) const = default;
};

struct ShopSettings {
  SettingValue ComName;         // 1
  QString ComAddress;           // 2
  QString ComAddress1;          // 3
  QString ComPhone;             // 4
  QString HeadInvoice;          // 5
  SettingValue ComTaxID;        // 6
  QString PosText;              // 7
  QString TotalVatText;         // 8
  SettingValue ReportFontSize;  // 9
  qint16 BillFontSize = 0;      // 10
  SettingValue DisplayPort;     // 11: 0 none, 1..15 a COM port
  SettingValue DrawerPort;      // 12: 0 none, 1..15 a COM port, or "RJ45"
  bool LangThai = false;        // 13
  qint16 PrintType = 0;         // 14: 1 slip, 2 text, 3 A4, 4 A4 form, 5 A5, 6 none
  double VatRate = 0;           // 15
  QString SpareText;            // 16
  qint16 SlipWidth = 0;         // 17: 1 7 cm, 2 6.5 cm, 3 5.5 cm
  SettingValue DbPath;          // 18
  SettingValue BillPrinter;     // 19
  QString FontName;             // 20
  bool BillNoContinue = false;  // 21
  SettingValue InvLine1;        // 22
  SettingValue InvLine2;        // 23
  SettingValue InvLine3;        // 24
  QString InvLine4;             // 25
  QString ReportPrinter;        // 26

  bool operator==(const ShopSettings& o) const = default;
};

// The process's settings record.
ShopSettings& settings();

// The settings file and its start-up copy in the installation folder.
QString settingsPath();
QString settingsCopyPath();

// Codec of the settings line. readSettings takes the first `fields` fields (18 or 26) of bytes
// into rec (fields beyond are left alone); false with *error when the line holds fewer fields or
// a whole field is out of range.
bool decodeSettings(const QByteArray& bytes, int fields, ShopSettings& rec, QString* error);
QByteArray encodeSettings(const ShopSettings& rec);

// The first character of a database path that the settings file would not give back as it stands
// (a double quote, a line end, or outside the installation folder a letter code page 874 lacks);
// nullopt when the writer and reader give the path back unchanged.
std::optional<QChar> unkeptDbPathChar(const QString& path);

// The login's read: fields 1 to 18 of the settings file.
bool readSettings18(ShopSettings& rec, QString* error);
// The main window's read: copies the file to the copy path, then reads all 26 fields.
bool readSettings26(ShopSettings& rec, QString* error);
// Writes all 26 fields, replacing the file atomically. False with *error on failure.
bool writeSettings(const ShopSettings& rec, QString* error);

// First start: creates the installation folder and, when it holds no settings file, lays down the
// template database (unless one is there) and the shipped settings file (DbPath the folder's
// Kelvantorium.db). A folder with settings is left as it is.
bool ensureInstallation(QString* error);

}  // namespace shell
