#include "platform/qt_texts.h"

#include <QCoreApplication>
#include <memory>

namespace plat {

QtTexts::QtTexts(std::function<bool()> thai) : thai_(std::move(thai)) {
  if (!load(QStringLiteral(":/i18n/qt_texts_th.qm")))
    qWarning("The Thai texts of the dialogs are missing from the program");
}

QString QtTexts::translate(const char* context, const char* sourceText, const char* disambiguation,
                           int n) const {
  if (!thai_ || !thai_()) return {};
  return QTranslator::translate(context, sourceText, disambiguation, n);
}

namespace {
std::function<bool()>& languageSource() {
  static std::function<bool()> thai;
  return thai;
}
}  // namespace

void installQtTexts(std::function<bool()> thai) {
  static std::unique_ptr<QtTexts> texts;
  if (texts) QCoreApplication::removeTranslator(texts.get());
  languageSource() = thai;
  texts = std::make_unique<QtTexts>(std::move(thai));
  QCoreApplication::installTranslator(texts.get());
}

ui::Lang programLanguage() {
  const std::function<bool()>& thai = languageSource();
  return thai && thai() ? ui::Lang::Thai : ui::Lang::English;
}

}  // namespace plat
