#include "gui/dialogs/icmcalculatordialog.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "gui/dialogs/payoutpanel.h"

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

// Text left out of range when the field loses focus is replaced by the
// nearest value the field allows, so the field shows what is computed with.
class ClampingDoubleValidator : public QDoubleValidator {
public:
    using QDoubleValidator::QDoubleValidator;
    void fixup(QString& input) const override {
        bool number = false;
        const double value = locale().toDouble(input, &number);
        input = QString::number(number ? std::clamp(value, bottom(), top()) : bottom(), 'f', decimals());
        input = QString::number(input.toDouble(), 'g', 15);
    }
};

class ClampingIntValidator : public QIntValidator {
public:
    using QIntValidator::QIntValidator;
    void fixup(QString& input) const override {
        bool number = false;
        const qlonglong value = locale().toLongLong(input, &number);
        input = QString::number(number ? std::clamp<qlonglong>(value, bottom(), top()) : bottom());
    }
};

QDoubleValidator* decimalValidator(double top, QObject* parent) {
    auto* validator = new ClampingDoubleValidator(0.0, top, 2, parent);
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

IcmCalculatorDialog::IcmCalculatorDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("ICM Calculator"));
    auto* chipsValidator = new ClampingIntValidator(0, kMaxChips, this);
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
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const int row = i + 1;
        grid->addWidget(new QLabel(QStringLiteral("%1.").arg(i + 1)), row, 0);
        chipsFields_[at] = newField(chipsValidator, kMoneyWidth);
        grid->addWidget(chipsFields_[at], row, 1);
        icmLabels_[at] = resultLabel();
        grid->addWidget(icmLabels_[at], row, 2);
        valueLabels_[at] = resultLabel();
        grid->addWidget(valueLabels_[at], row, 3);
        percentFields_[at] = newField(percentValidator, kPercentWidth);
        grid->addWidget(percentFields_[at], row, 4);
        amountFields_[at] = newField(moneyValidator, kMoneyWidth);
        grid->addWidget(amountFields_[at], row, 5);
        reduceButtons_[at] = new QPushButton(tr("Reduce"));
        reduceButtons_[at]->setCheckable(true);
        reduceButtons_[at]->setAutoDefault(false);
        grid->addWidget(reduceButtons_[at], row, 6);

        connect(chipsFields_[at], &QLineEdit::editingFinished, this, &IcmCalculatorDialog::onChipsOrAmountEdited);
        connect(amountFields_[at], &QLineEdit::editingFinished, this, &IcmCalculatorDialog::onChipsOrAmountEdited);
        connect(percentFields_[at], &QLineEdit::editingFinished, this, &IcmCalculatorDialog::onPercentOrPoolEdited);
        connect(reduceButtons_[at], &QPushButton::toggled, this, [this, i] { reduce(i); });
    }

    grid->addWidget(new QLabel(tr("<b>Total</b>")), kRows + 1, 0);
    // As wide as the fields above them, so the totals line up with the column.
    percentTotalLabel_ = resultLabel();
    percentTotalLabel_->setFixedWidth(kPercentWidth);
    grid->addWidget(percentTotalLabel_, kRows + 1, 4);
    amountTotalLabel_ = resultLabel();
    amountTotalLabel_->setFixedWidth(kMoneyWidth);
    grid->addWidget(amountTotalLabel_, kRows + 1, 5);

    auto* poolLabel = new QLabel(tr("Prizepool"));
    poolLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(poolLabel, kRows + 2, 3, 1, 2);
    prizePoolField_ = newField(moneyValidator, kMoneyWidth);
    grid->addWidget(prizePoolField_, kRows + 2, 5);
    connect(prizePoolField_, &QLineEdit::editingFinished, this, &IcmCalculatorDialog::onPercentOrPoolEdited);

    auto* presetRow = new QHBoxLayout;
    for (std::size_t k = 0; k < presetButtons_.size(); ++k) {
        presetButtons_[k] = new QPushButton(tr(PayoutPanel::presets()[k].label));
        presetButtons_[k]->setAutoDefault(false);
        presetRow->addWidget(presetButtons_[k]);
        connect(presetButtons_[k], &QPushButton::clicked, this, [this, k] { applyPreset(static_cast<int>(k)); });
    }
    grid->addLayout(presetRow, kRows + 3, 0, 1, 7);

    grid->addWidget(new QLabel(tr("Depending on the Payoutstructure the computation may take a few seconds.")),
                    kRows + 4, 0, 1, 7);

    auto* buttonRow = new QHBoxLayout;
    closeButton_ = new QPushButton(tr("Close"));
    computeButton_ = new QPushButton(tr("Compute"));
    clearButton_ = new QPushButton(tr("Clear"));
    closeButton_->setAutoDefault(false);
    clearButton_->setAutoDefault(false);
    computeButton_->setDefault(true);
    buttonRow->addWidget(closeButton_);
    buttonRow->addWidget(computeButton_);
    buttonRow->addWidget(clearButton_);
    grid->addLayout(buttonRow, kRows + 5, 0, 1, 7);
    connect(closeButton_, &QPushButton::clicked, this, &IcmCalculatorDialog::onCloseClicked);
    connect(computeButton_, &QPushButton::clicked, this, &IcmCalculatorDialog::onComputeClicked);
    connect(clearButton_, &QPushButton::clicked, this, &IcmCalculatorDialog::onClearClicked);

    onClearClicked();
    prizePoolField_->setText(QStringLiteral("0"));
}

bool IcmCalculatorDialog::paid(int place) const {
    return place >= 0 && place < kRows && !reduceButtons_[static_cast<std::size_t>(place)]->isChecked();
}

void IcmCalculatorDialog::fillPaidPlaces(Given given, double pool) {
    double percentSum = 0.0;
    double amountSum = 0.0;
    for (int q = 0; q < kRows; ++q) {
        if (!paid(q))
            continue;
        const auto at = static_cast<std::size_t>(q);
        double amount = 0.0;
        double percent = 0.0;
        if (given == Given::Amounts) {
            amount = fieldValue(amountFields_[at], kMaxMoney);
            percent = amount / pool * 100.0;
            percentFields_[at]->setText(twoDecimals(percent));
        } else {
            percent = fieldValue(percentFields_[at], kMaxPercent);
            amount = percent / 100.0 * pool;
            amountFields_[at]->setText(twoDecimals(amount));
        }
        percentSum += percent;
        amountSum += amount;
    }
    percentTotalLabel_->setText(twoDecimals(percentSum));
    amountTotalLabel_->setText(twoDecimals(amountSum));
}

void IcmCalculatorDialog::onCloseClicked() { close(); }

void IcmCalculatorDialog::onChipsOrAmountEdited() {
    double pool = 0.0;
    for (int q = 0; q < kRows; ++q)
        if (paid(q))
            pool += fieldValue(amountFields_[static_cast<std::size_t>(q)], kMaxMoney);
    prizePoolField_->setText(twoDecimals(pool));
    if (pool != 0.0)
        fillPaidPlaces(Given::Amounts, pool);
}

void IcmCalculatorDialog::onPercentOrPoolEdited() {
    const double pool = fieldValue(prizePoolField_, kMaxMoney);
    if (pool != 0.0)
        fillPaidPlaces(Given::Percents, pool);
}

void IcmCalculatorDialog::onClearClicked() {
    const QString zero = QStringLiteral("0");
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        chipsFields_[at]->setText(zero);
        amountFields_[at]->setText(zero);
        percentFields_[at]->setText(zero);
        icmLabels_[at]->setText(zero);
        valueLabels_[at]->setText(zero);
    }
    percentTotalLabel_->setText(zero);
    amountTotalLabel_->setText(zero);
}

void IcmCalculatorDialog::applyPreset(int preset) {
    const QStringList& values = PayoutPanel::presets()[static_cast<std::size_t>(preset)].values;
    for (QLineEdit* field : percentFields_)
        field->setText(QStringLiteral("0"));
    for (int q = 0; q < values.size() && q < kRows; ++q)
        percentFields_[static_cast<std::size_t>(q)]->setText(values[q]);
    onPercentOrPoolEdited();
}

void IcmCalculatorDialog::reduce(int place) {
    const auto at = static_cast<std::size_t>(place);
    const bool unpaid = reduceButtons_[at]->isChecked();
    percentFields_[at]->setEnabled(!unpaid);
    amountFields_[at]->setEnabled(!unpaid);
}

void IcmCalculatorDialog::onComputeClicked() {
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        model_.setStack(i, chipsValue(chipsFields_[at]));
        model_.setPayout(i, paid(i) ? fieldValue(percentFields_[at], kMaxPercent) / 100.0 : 0.0);
    }
    model_.compute();
    const double pool = fieldValue(prizePoolField_, kMaxMoney);
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        icmLabels_[at]->setText(twoDecimals(model_.equity[i] * 100.0));
        valueLabels_[at]->setText(twoDecimals(pool * model_.equity[i]));
    }
}
