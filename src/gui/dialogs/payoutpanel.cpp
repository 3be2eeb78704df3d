#include "gui/dialogs/payoutpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <cmath>

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
    // 0 to 100 with up to two decimals, after a dot or a comma.
    auto* percentValidator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("100([.,]0{0,2})?|\\d{0,2}([.,]\\d{0,2})?")), this);
    for (int q = 0; q < 10; ++q) {
        grid->addWidget(new QLabel(QString::number(q + 1)), q, 0);
        auto* edit = new QLineEdit(QStringLiteral("0.0"));
        edit->setMaximumWidth(60);
        edit->setValidator(percentValidator);
        connect(edit, &QLineEdit::textChanged, this, &PayoutPanel::checkTotal);
        connect(edit, &QLineEdit::textChanged, this, &PayoutPanel::structureChanged);
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
    totalWarning_ = new QLabel;
    totalWarning_->setWordWrap(true);
    totalWarning_->setStyleSheet(QStringLiteral("color: #c00000;"));
    totalWarning_->hide();
    grid->addWidget(totalWarning_, 16, 0, 1, 2);
    grid->setRowStretch(17, 1);
    checkTotal();
}

double PayoutPanel::total() const {
    double sum = 0.0;
    for (int q = 0; q < 10; ++q)
        sum += percent(q);
    return sum;
}

void PayoutPanel::checkTotal() {
    if (!totalWarning_)
        return;
    const double sum = total();
    totalWarning_->setText(tr("The places add up to %1 %, not 100 %.").arg(QString::number(sum, 'f', 2)));
    totalWarning_->setVisible(std::abs(sum - 100.0) > 0.005);
}

double PayoutPanel::percent(int place) const {
    if (place < 0 || place > 9)
        return 0.0;
    // A comma is read as the decimal sign, whatever the desktop's language.
    QString text = fields_[static_cast<std::size_t>(place)]->text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok && value >= 0.0 && value <= 100.0 ? value : 0.0;
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
