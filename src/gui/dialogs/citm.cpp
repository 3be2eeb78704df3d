#include "gui/dialogs/citm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const std::array<CITM::Preset, 6>& CITM::presets() {
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

CITM::CITM(grabber*, QWidget* parent) : QGroupBox(tr("Structure %"), parent) {
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    for (int q = 0; q < 10; ++q) {
        grid->addWidget(new QLabel(QString::number(q + 1)), q, 0);
        auto* edit = new QLineEdit(QStringLiteral("0.0"));
        edit->setMaximumWidth(60);
        grid->addWidget(edit, q, 1);
        fields[static_cast<std::size_t>(q)] = edit;
    }
    fields[0]->setText(QStringLiteral("50.0"));
    fields[1]->setText(QStringLiteral("30.0"));
    fields[2]->setText(QStringLiteral("20.0"));

    using Slot = void (CITM::*)();
    const Slot handlers[6] = {&CITM::slot_pb1T, &CITM::slot_pb2T, &CITM::slot_pb22T,
                           &CITM::slot_pb3T, &CITM::slot_pb5T, &CITM::slot_pb6T};
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(tr(presets()[static_cast<std::size_t>(i)].label));
        grid->addWidget(button, 10 + i, 0, 1, 2);
        connect(button, &QPushButton::clicked, this, handlers[i]);
        presetButtons[static_cast<std::size_t>(i)] = button;
    }
    grid->setRowStretch(16, 1);
}

double CITM::percent(int place) const {
    if (place < 0 || place > 9)
        return 0.0;
    bool ok = false;
    const double value = fields[static_cast<std::size_t>(place)]->text().trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

int CITM::paidPlaces() const {
    int paid = 0;
    for (int q = 0; q < 10; ++q)
        paid += percent(q) > 0 ? 1 : 0;
    return paid;
}

void CITM::setStructure(const QStringList& values) {
    for (QLineEdit* field : fields)
        field->setText(QStringLiteral("0"));
    for (int q = 0; q < values.size() && q < 10; ++q)
        fields[static_cast<std::size_t>(q)]->setText(values[q]);
}

void CITM::slot_pb1T() { setStructure(presets()[0].values); }
void CITM::slot_pb2T() { setStructure(presets()[1].values); }
void CITM::slot_pb22T() { setStructure(presets()[2].values); }
void CITM::slot_pb3T() { setStructure(presets()[3].values); }
void CITM::slot_pb5T() { setStructure(presets()[4].values); }
void CITM::slot_pb6T() { setStructure(presets()[5].values); }
