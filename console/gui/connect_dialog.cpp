#include "console/gui/connect_dialog.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include "console/agent_address.h"
#include "console/snmp_conf_defaults.h"

namespace gui {

namespace {

using mib::AuthProtocol;
using mib::PrivProtocol;
using mib::SecurityLevel;
using mib::SnmpVersion;

QLineEdit* secretField(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

template <typename Enum>
QComboBox* choiceBox(QWidget* parent, const char* name,
                     std::initializer_list<std::pair<const char*, Enum>> items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const auto& [text, value] : items) {
        box->addItem(QString::fromLatin1(text), static_cast<int>(value));
    }
    return box;
}

template <typename Enum>
Enum selected(const QComboBox* box) {
    return static_cast<Enum>(box->currentData().toInt());
}

template <typename Enum>
void select(QComboBox* box, Enum value) {
    box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(value))));
}

}  // namespace

std::optional<console::AgentChoice> connectDefaults(const console::ConsoleOptions& options,
                                                    std::string* error) {
    console::AgentChoice choice = options.agent;
    if (!console::applySnmpConfDefaults(console::readSnmpConfDefaults(), options.given,
                                        &choice.snmp, error)) {
        return std::nullopt;
    }
    return choice;
}

ConnectDialog::ConnectDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Connect to a Switch"));
    auto* layout = new QVBoxLayout(this);

    m_simulated = new QRadioButton(tr("Simulated switch"), this);
    m_simulated->setObjectName("simulated");
    m_snmp = new QRadioButton(tr("SNMP agent"), this);
    m_snmp->setObjectName("snmpAgent");
    layout->addWidget(m_simulated);
    layout->addWidget(m_snmp);

    m_snmpBox = new QGroupBox(tr("SNMP agent settings"), this);
    m_form = new QFormLayout(m_snmpBox);
    m_host = new QLineEdit(m_snmpBox);
    m_host->setObjectName("host");
    m_host->setMinimumWidth(240);
    m_host->setPlaceholderText(tr("udp:HOST[:PORT] or HOST[:PORT]"));
    m_version = choiceBox<SnmpVersion>(
        m_snmpBox, "version",
        {{"1", SnmpVersion::V1}, {"2c", SnmpVersion::V2c}, {"3", SnmpVersion::V3}});
    m_community = secretField(m_snmpBox, "community");
    m_community->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    m_user = new QLineEdit(m_snmpBox);
    m_user->setObjectName("user");
    m_level = choiceBox<SecurityLevel>(m_snmpBox, "securityLevel",
                                       {{"noAuthNoPriv", SecurityLevel::NoAuthNoPriv},
                                        {"authNoPriv", SecurityLevel::AuthNoPriv},
                                        {"authPriv", SecurityLevel::AuthPriv}});
    m_authProtocol = choiceBox<AuthProtocol>(m_snmpBox, "authProtocol",
                                             {{"MD5", AuthProtocol::Md5},
                                              {"SHA", AuthProtocol::Sha1},
                                              {"SHA-256", AuthProtocol::Sha256}});
    m_authPass = secretField(m_snmpBox, "authPassPhrase");
    m_privProtocol = choiceBox<PrivProtocol>(
        m_snmpBox, "privProtocol", {{"DES", PrivProtocol::Des}, {"AES", PrivProtocol::Aes128}});
    m_privPass = secretField(m_snmpBox, "privPassPhrase");
    m_timeout = new QSpinBox(m_snmpBox);
    m_timeout->setObjectName("timeout");
    m_timeout->setRange(1, 300);
    m_timeout->setSuffix(tr(" s"));
    m_retries = new QSpinBox(m_snmpBox);
    m_retries->setObjectName("retries");
    m_retries->setRange(0, 20);

    m_form->addRow(tr("&Host:"), m_host);
    m_form->addRow(tr("&Version:"), m_version);
    m_form->addRow(tr("&Community:"), m_community);
    m_form->addRow(tr("&User:"), m_user);
    m_form->addRow(tr("Security &level:"), m_level);
    m_form->addRow(tr("&Authentication:"), m_authProtocol);
    m_form->addRow(tr("Authentication &pass phrase:"), m_authPass);
    m_form->addRow(tr("P&rivacy:"), m_privProtocol);
    m_form->addRow(tr("Privacy pa&ss phrase:"), m_privPass);
    m_form->addRow(tr("&Timeout:"), m_timeout);
    m_form->addRow(tr("R&etries:"), m_retries);
    layout->addWidget(m_snmpBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ConnectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConnectDialog::reject);
    layout->addWidget(buttons);

    for (QRadioButton* radio : {m_simulated, m_snmp}) {
        connect(radio, &QRadioButton::toggled, this, &ConnectDialog::updateEnabled);
    }
    for (QComboBox* box : {m_version, m_level}) {
        connect(box, &QComboBox::currentIndexChanged, this, &ConnectDialog::updateEnabled);
    }
    setChoice(console::AgentChoice{});
}

void ConnectDialog::setChoice(const console::AgentChoice& choice) {
    m_base = choice;
    const mib::NetSnmpConfig& snmp = choice.snmp;
    (choice.kind == console::AgentChoice::Kind::Snmp ? m_snmp : m_simulated)->setChecked(true);
    m_host->setText(QString::fromStdString(snmp.address));
    select(m_version, snmp.version);
    m_community->setText(QString::fromStdString(snmp.community));
    m_user->setText(QString::fromStdString(snmp.user));
    select(m_level, snmp.level);
    select(m_authProtocol, snmp.authProtocol);
    m_authPass->setText(QString::fromStdString(snmp.authPassword));
    select(m_privProtocol, snmp.privProtocol);
    m_privPass->setText(QString::fromStdString(snmp.privPassword));
    m_timeout->setValue(choice.timeoutSeconds.value_or(snmp.defaults.timeoutSeconds));
    m_retries->setValue(choice.retries.value_or(snmp.defaults.retries));
    updateEnabled();
}

console::AgentChoice ConnectDialog::choice() const {
    console::AgentChoice out = m_base;
    if (m_simulated->isChecked()) {
        out.kind = console::AgentChoice::Kind::Simulated;
        return out;
    }
    std::string error;
    console::parseAgentArgument(m_host->text().trimmed().toStdString(), &out, &error);
    out.kind = console::AgentChoice::Kind::Snmp;
    mib::NetSnmpConfig& snmp = out.snmp;
    snmp.version = selected<SnmpVersion>(m_version);
    snmp.community = m_community->text().toStdString();
    snmp.user = m_user->text().trimmed().toStdString();
    snmp.level = selected<SecurityLevel>(m_level);
    snmp.authProtocol = selected<AuthProtocol>(m_authProtocol);
    snmp.authPassword = m_authPass->text().toStdString();
    snmp.privProtocol = selected<PrivProtocol>(m_privProtocol);
    snmp.privPassword = m_privPass->text().toStdString();
    out.timeoutSeconds = m_timeout->value();
    out.retries = m_retries->value();
    return out;
}

std::optional<ConnectProblem> ConnectDialog::problem() const {
    if (m_simulated->isChecked()) {
        return std::nullopt;
    }
    const std::string host = m_host->text().trimmed().toStdString();
    if (host.empty()) {
        return ConnectProblem{
            m_host, tr("Host: enter the agent's address (udp:HOST[:PORT] or HOST[:PORT]).")};
    }
    console::AgentChoice parsed;
    std::string error;
    if (!console::parseAgentArgument(host, &parsed, &error) ||
        parsed.kind != console::AgentChoice::Kind::Snmp) {
        return ConnectProblem{m_host, tr("Host: \"%1\" is not an agent address (udp:HOST[:PORT] or "
                                         "HOST[:PORT]).")
                                          .arg(m_host->text().trimmed())};
    }
    const auto version = selected<SnmpVersion>(m_version);
    if (version != SnmpVersion::V3) {
        if (m_community->text().isEmpty()) {
            return ConnectProblem{m_community,
                                  tr("Community: enter the community for SNMP version 1 or 2c.")};
        }
        return std::nullopt;
    }
    if (m_user->text().trimmed().isEmpty()) {
        return ConnectProblem{m_user, tr("User: enter the SNMPv3 user name.")};
    }
    const auto level = selected<SecurityLevel>(m_level);
    const auto tooShort = [](const QLineEdit* edit) {
        return edit->text().size() < kMinimumPassPhrase;
    };
    if (level != SecurityLevel::NoAuthNoPriv && tooShort(m_authPass)) {
        return ConnectProblem{m_authPass, tr("Authentication pass phrase: it needs at least %1 "
                                             "characters.")
                                              .arg(kMinimumPassPhrase)};
    }
    if (level == SecurityLevel::AuthPriv && tooShort(m_privPass)) {
        return ConnectProblem{
            m_privPass,
            tr("Privacy pass phrase: it needs at least %1 characters.").arg(kMinimumPassPhrase)};
    }
    return std::nullopt;
}

void ConnectDialog::accept() {
    if (const auto found = problem()) {
        QMessageBox::warning(this, tr("Connect to a Switch"), found->message);
        found->field->setFocus();
        return;
    }
    QDialog::accept();
}

void ConnectDialog::setRowEnabled(QWidget* field, bool enabled) {
    field->setEnabled(enabled);
    if (QWidget* label = m_form->labelForField(field)) {
        label->setEnabled(enabled);
    }
}

void ConnectDialog::updateEnabled() {
    m_snmpBox->setEnabled(m_snmp->isChecked());
    const bool v3 = selected<SnmpVersion>(m_version) == SnmpVersion::V3;
    const auto level = selected<SecurityLevel>(m_level);
    setRowEnabled(m_community, !v3);
    for (QWidget* field : {static_cast<QWidget*>(m_user), static_cast<QWidget*>(m_level)}) {
        setRowEnabled(field, v3);
    }
    for (QWidget* field :
         {static_cast<QWidget*>(m_authProtocol), static_cast<QWidget*>(m_authPass)}) {
        setRowEnabled(field, v3 && level != SecurityLevel::NoAuthNoPriv);
    }
    for (QWidget* field :
         {static_cast<QWidget*>(m_privProtocol), static_cast<QWidget*>(m_privPass)}) {
        setRowEnabled(field, v3 && level == SecurityLevel::AuthPriv);
    }
}

}  // namespace gui
