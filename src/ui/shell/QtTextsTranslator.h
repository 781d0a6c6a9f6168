// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QObject>
#include <QTranslator>

namespace tivren {

class AppModel;

// Qt's own texts (standard dialog buttons, the file and colour dialogs) in the app language. This
// is the program's one global translator and it holds Qt's texts only: Tivren's texts name their
// locale at every lookup (AppStrings). Installing or removing it sends LanguageChange, on which
// Qt's widgets re-label themselves.
class QtTextsTranslator : public QObject
{
    Q_OBJECT

public:
    explicit QtTextsTranslator(AppModel& model, QObject* parent = nullptr);
    ~QtTextsTranslator() override;

private:
    void follow(const QLocale& locale);

    AppModel& m_model;
    QTranslator m_translator;
    QString m_localeName; // the locale m_translator was chosen for
    bool m_installed = false;
};

} // namespace tivren
