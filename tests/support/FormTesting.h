#pragma once

// What the tests of Tivren's forms, sheets and shell windows share: the view fixture and the
// widgets they look into.
#include "support/ViewFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <memory>

namespace tivren::testing {

// The items of a picker as the user reads them.
inline QStringList comboItems(const QComboBox* box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

// Picks the item with that data, as a user choosing it from the popup; false when there is none.
inline bool chooseData(QComboBox* box, const QVariant& data)
{
    box->setCurrentIndex(box->findData(data));
    return box->currentIndex() >= 0;
}

// Writes bytes as the whole of the file at path.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Shows widget and saves a render of it as dir/tivren-<name>.png.
inline bool renderTo(QWidget& widget, const QString& dir, const QString& name)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget)
        && widget.grab().save(QDir(dir).filePath(QStringLiteral("tivren-") + name + QStringLiteral(".png")));
}

} // namespace tivren::testing
