// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small properties window of one file, for desktops whose file manager does not answer:
// path, type, size, the three dates, permissions, and a link's target.
#include "fs/file_properties.h"
#include "res/resource_ids.h"

#include <QDialog>

#include <map>
#include <string>

class QLabel;

namespace sifter {

class PropertiesDialog : public QDialog {
    Q_OBJECT

public:
    // path names the entry the properties were read from; typeName is the list's type text.
    PropertiesDialog(const std::string &path, const QString &typeName, const FileProperties &properties,
                     QWidget *parent = nullptr);

    // The text shown beside the label with that string id; empty when the field is not shown.
    QString FieldText(StringId label) const;

private:
    void AddField(StringId label, const QString &text);

    std::map<StringId, QLabel *> fields_;
};

} // namespace sifter
