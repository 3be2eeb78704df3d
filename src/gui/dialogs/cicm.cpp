#include "gui/dialogs/cicm.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "gui/dialogs/citm.h"

namespace {

constexpr int kMaxChips = 1000000000;
constexpr double kMaxMoney = 1000000000.0;
constexpr double kMaxPercent = 100.0;
// Field widths in pixels: chips and money take up to ten digits.
constexpr int kMoneyWidth = 100;
constexpr int kPercentWidth = 70;

QString twoDecimals(double value) { return QString::number(value, 'f', 2); }

// A field's number, held to what its validator allows: half-typed text can
// still be out of range, and text that is not a number counts as 0.
double fieldValue(const QLineEdit* field, double top) {
    const double value = field->text().toDouble();
    if (!(value > 0.0))
        return 0.0;
    return std::min(value, top);
}

int chipsValue(const QLineEdit* field) {
    const qlonglong chips = field->text().toLongLong();
    return static_cast<int>(std::clamp<qlonglong>(chips, 0, kMaxChips));
}

QLocale dotLocale() {
    QLocale dot = QLocale::c();
    dot.setNumberOptions(QLocale::RejectGroupSeparator);
    return dot;
}

QDoubleValidator* decimalValidator(double top, QObject* parent) {
    auto* validator = new QDoubleValidator(0.0, top, 2, parent);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(dotLocale());
    return validator;
}

QLabel* resultLabel() {
    auto* label = new QLabel(QStringLiteral("0"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(70);
    return label;
}

}  // namespace

CIcm::CIcm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("ICM Calculator"));
    auto* chipsValidator = new QIntValidator(0, kMaxChips, this);
    chipsValidator->setLocale(dotLocale());
    QDoubleValidator* moneyValidator = decimalValidator(kMaxMoney, this);
    QDoubleValidator* percentValidator = decimalValidator(kMaxPercent, this);

    auto* grid = new QGridLayout(this);
    const char* const headers[] = {"Chips", "ICM (%)", "$Value ($)", "Payout (%)", "Payout ($)"};
    for (int k = 0; k < 5; ++k) {
        auto* header = new QLabel(tr("<b>%1</b>").arg(tr(headers[k])));
        header->setAlignment(Qt::AlignCenter);
        grid->addWidget(header, 0, 1 + k);
    }
    auto newField = [](const QValidator* validator, int width) {
        auto* field = new QLineEdit(QStringLiteral("0"));
        field->setValidator(validator);
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(width);
        return field;
    };
    using Slot = void (CIcm::*)();
    const Slot reduceSlots[kRows] = {&CIcm::slot_pbReduce0, &CIcm::slot_pbReduce1, &CIcm::slot_pbReduce2,
                                     &CIcm::slot_pbReduce3, &CIcm::slot_pbReduce4, &CIcm::slot_pbReduce5,
                                     &CIcm::slot_pbReduce6, &CIcm::slot_pbReduce7, &CIcm::slot_pbReduce8,
                                     &CIcm::slot_pbReduce9};
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const int row = i + 1;
        grid->addWidget(new QLabel(QStringLiteral("%1.").arg(i + 1)), row, 0);
        chipsFields[at] = newField(chipsValidator, kMoneyWidth);
        grid->addWidget(chipsFields[at], row, 1);
        icmLabels[at] = resultLabel();
        grid->addWidget(icmLabels[at], row, 2);
        valueLabels[at] = resultLabel();
        grid->addWidget(valueLabels[at], row, 3);
        percentFields[at] = newField(percentValidator, kPercentWidth);
        grid->addWidget(percentFields[at], row, 4);
        amountFields[at] = newField(moneyValidator, kMoneyWidth);
        grid->addWidget(amountFields[at], row, 5);
        reduceButtons[at] = new QPushButton(tr("Reduce"));
        reduceButtons[at]->setCheckable(true);
        reduceButtons[at]->setAutoDefault(false);
        grid->addWidget(reduceButtons[at], row, 6);

        connect(chipsFields[at], &QLineEdit::editingFinished, this, &CIcm::slot_poolChanged);
        connect(amountFields[at], &QLineEdit::editingFinished, this, &CIcm::slot_poolChanged);
        connect(percentFields[at], &QLineEdit::editingFinished, this, &CIcm::slot_poolPChanged);
        connect(reduceButtons[at], &QPushButton::toggled, this, reduceSlots[i]);
    }

    grid->addWidget(new QLabel(tr("<b>Total</b>")), kRows + 1, 0);
    // As wide as the fields above them, so the totals line up with the column.
    percentTotalLabel = resultLabel();
    percentTotalLabel->setFixedWidth(kPercentWidth);
    grid->addWidget(percentTotalLabel, kRows + 1, 4);
    amountTotalLabel = resultLabel();
    amountTotalLabel->setFixedWidth(kMoneyWidth);
    grid->addWidget(amountTotalLabel, kRows + 1, 5);

    auto* poolLabel = new QLabel(tr("Prizepool"));
    poolLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(poolLabel, kRows + 2, 3, 1, 2);
    prizePoolField = newField(moneyValidator, kMoneyWidth);
    grid->addWidget(prizePoolField, kRows + 2, 5);
    connect(prizePoolField, &QLineEdit::editingFinished, this, &CIcm::slot_poolPChanged);

    auto* presetRow = new QHBoxLayout;
    const Slot presetSlots[6] = {&CIcm::slot_pb1T, &CIcm::slot_pb2T, &CIcm::slot_pb22T,
                                 &CIcm::slot_pb3T, &CIcm::slot_pb5T, &CIcm::slot_pb6T};
    for (std::size_t k = 0; k < presetButtons.size(); ++k) {
        presetButtons[k] = new QPushButton(tr(CITM::presets()[k].label));
        presetButtons[k]->setAutoDefault(false);
        presetRow->addWidget(presetButtons[k]);
        connect(presetButtons[k], &QPushButton::clicked, this, presetSlots[k]);
    }
    grid->addLayout(presetRow, kRows + 3, 0, 1, 7);

    grid->addWidget(new QLabel(tr("Depending on the Payoutstructure the computation may take a few seconds.")),
                    kRows + 4, 0, 1, 7);

    auto* buttonRow = new QHBoxLayout;
    closeButton = new QPushButton(tr("Close"));
    computeButton = new QPushButton(tr("Compute"));
    clearButton = new QPushButton(tr("Clear"));
    closeButton->setAutoDefault(false);
    clearButton->setAutoDefault(false);
    computeButton->setDefault(true);
    buttonRow->addWidget(closeButton);
    buttonRow->addWidget(computeButton);
    buttonRow->addWidget(clearButton);
    grid->addLayout(buttonRow, kRows + 5, 0, 1, 7);
    connect(closeButton, &QPushButton::clicked, this, &CIcm::slot_pbCancel);
    connect(computeButton, &QPushButton::clicked, this, &CIcm::slot_pbCompute);
    connect(clearButton, &QPushButton::clicked, this, &CIcm::slot_pbClear);

    slot_pbClear();
    prizePoolField->setText(QStringLiteral("0"));
}

bool CIcm::paid(int place) const {
    return place >= 0 && place < kRows && !reduceButtons[static_cast<std::size_t>(place)]->isChecked();
}

void CIcm::showTotals(double percentSum, double amountSum) {
    percentTotalLabel->setText(twoDecimals(percentSum));
    amountTotalLabel->setText(twoDecimals(amountSum));
}

void CIcm::slot_pbCancel() { close(); }

void CIcm::slot_poolChanged() {
    double pool = 0.0;
    for (int q = 0; q < kRows; ++q)
        if (paid(q))
            pool += fieldValue(amountFields[static_cast<std::size_t>(q)], kMaxMoney);
    prizePoolField->setText(twoDecimals(pool));
    if (pool == 0.0)
        return;
    double percentSum = 0.0;
    double amountSum = 0.0;
    for (int q = 0; q < kRows; ++q) {
        if (!paid(q))
            continue;
        const double amount = fieldValue(amountFields[static_cast<std::size_t>(q)], kMaxMoney);
        const double percent = amount / pool * 100.0;
        percentFields[static_cast<std::size_t>(q)]->setText(twoDecimals(percent));
        percentSum += percent;
        amountSum += amount;
    }
    showTotals(percentSum, amountSum);
}

void CIcm::slot_poolPChanged() {
    const double pool = fieldValue(prizePoolField, kMaxMoney);
    if (pool == 0.0)
        return;
    double percentSum = 0.0;
    double amountSum = 0.0;
    for (int q = 0; q < kRows; ++q) {
        if (!paid(q))
            continue;
        const double percent = fieldValue(percentFields[static_cast<std::size_t>(q)], kMaxPercent);
        const double amount = percent / 100.0 * pool;
        amountFields[static_cast<std::size_t>(q)]->setText(twoDecimals(amount));
        percentSum += percent;
        amountSum += amount;
    }
    showTotals(percentSum, amountSum);
}

void CIcm::slot_pbClear() {
    const QString zero = QStringLiteral("0");
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        chipsFields[at]->setText(zero);
        amountFields[at]->setText(zero);
        percentFields[at]->setText(zero);
        icmLabels[at]->setText(zero);
        valueLabels[at]->setText(zero);
    }
    percentTotalLabel->setText(zero);
    amountTotalLabel->setText(zero);
}

void CIcm::applyPreset(int preset) {
    const QStringList& values = CITM::presets()[static_cast<std::size_t>(preset)].values;
    for (QLineEdit* field : percentFields)
        field->setText(QStringLiteral("0"));
    for (int q = 0; q < values.size() && q < kRows; ++q)
        percentFields[static_cast<std::size_t>(q)]->setText(values[q]);
    slot_poolPChanged();
}

void CIcm::slot_pb1T() { applyPreset(0); }
void CIcm::slot_pb2T() { applyPreset(1); }
void CIcm::slot_pb22T() { applyPreset(2); }
void CIcm::slot_pb3T() { applyPreset(3); }
void CIcm::slot_pb5T() { applyPreset(4); }
void CIcm::slot_pb6T() { applyPreset(5); }

void CIcm::reduce(int place) {
    const auto at = static_cast<std::size_t>(place);
    const bool unpaid = reduceButtons[at]->isChecked();
    percentFields[at]->setEnabled(!unpaid);
    amountFields[at]->setEnabled(!unpaid);
}

void CIcm::slot_pbReduce0() { reduce(0); }
void CIcm::slot_pbReduce1() { reduce(1); }
void CIcm::slot_pbReduce2() { reduce(2); }
void CIcm::slot_pbReduce3() { reduce(3); }
void CIcm::slot_pbReduce4() { reduce(4); }
void CIcm::slot_pbReduce5() { reduce(5); }
void CIcm::slot_pbReduce6() { reduce(6); }
void CIcm::slot_pbReduce7() { reduce(7); }
void CIcm::slot_pbReduce8() { reduce(8); }
void CIcm::slot_pbReduce9() { reduce(9); }

void CIcm::slot_pbCompute() {
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        model.setStack(i, chipsValue(chipsFields[at]));
        model.setPayout(i, paid(i) ? fieldValue(percentFields[at], kMaxPercent) / 100.0 : 0.0);
    }
    model.compute();
    const double pool = fieldValue(prizePoolField, kMaxMoney);
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        icmLabels[at]->setText(twoDecimals(model.equity[i]));
        valueLabels[at]->setText(twoDecimals(pool * model.equity[i]));
    }
}
