#include "gui/dialogs/payoutpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const std::array<PayoutPanel::Preset, 6>& PayoutPanel::presets() {
    static const std::array<Preset, 6> list = {{
        {"6 Max", {"60", "40"}},
        {"1 Table", {"50", "30", "20"}},
        {"2 Table", {"40", "30", "20", "10"}},
        {"3 Table", {"37", "26.67", "17.78", "10.37", "8.18"}},
        {"5 Table", {"31", "21.5", "16.5", "12.5", "9", "6", "3.5"}},
        {"Heads Up", {"100"}},
    }};
    return list;
}

PayoutPanel::PayoutPanel(QWidget* parent) : QGroupBox(tr("Structure %"), parent) {
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    for (int q = 0; q < 10; ++q) {
        grid->addWidget(new QLabel(QString::number(q + 1)), q, 0);
        auto* edit = new QLineEdit(QStringLiteral("0.0"));
        edit->setMaximumWidth(60);
        grid->addWidget(edit, q, 1);
        fields_[static_cast<std::size_t>(q)] = edit;
    }
    fields_[0]->setText(QStringLiteral("50.0"));
    fields_[1]->setText(QStringLiteral("30.0"));
    fields_[2]->setText(QStringLiteral("20.0"));

    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(tr(presets()[static_cast<std::size_t>(i)].label));
        grid->addWidget(button, 10 + i, 0, 1, 2);
        connect(button, &QPushButton::clicked, this, [this, i] { setStructure(presets()[static_cast<std::size_t>(i)].values); });
        presetButtons_[static_cast<std::size_t>(i)] = button;
    }
    grid->setRowStretch(16, 1);
}

double PayoutPanel::percent(int place) const {
    if (place < 0 || place > 9)
        return 0.0;
    bool ok = false;
    const double value = fields_[static_cast<std::size_t>(place)]->text().trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

int PayoutPanel::paidPlaces() const {
    int paid = 0;
    for (int q = 0; q < 10; ++q)
        paid += percent(q) > 0 ? 1 : 0;
    return paid;
}

void PayoutPanel::setStructure(const QStringList& values) {
    for (QLineEdit* field : fields_)
        field->setText(QStringLiteral("0"));
    for (int q = 0; q < values.size() && q < 10; ++q)
        fields_[static_cast<std::size_t>(q)]->setText(values[q]);
}
