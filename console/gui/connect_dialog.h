#pragma once
// Which switch to manage: the simulated one (the default) or an SNMP agent with its version,
// community or SNMPv3 credentials, timeout and retries. OK checks the entries first and
// refuses, naming the field, what could never connect.

#include <QtWidgets/QDialog>
#include <optional>
#include <string>

#include "console/console_options.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace gui {

// The agent of the command line (--agent, -v, -c, ...) with snmp.conf's defaults for what it
// does not give, as the text console takes them; nullopt and *error for an unusable snmp.conf.
std::optional<console::AgentChoice> connectDefaults(const console::ConsoleOptions& options,
                                                    std::string* error);

// What is wrong with the entries, naming the field; nullopt when they can be used.
struct ConnectProblem {
    QWidget* field = nullptr;
    QString message;
};

class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumPassPhrase = 8;  // Net-SNMP refuses shorter ones

    explicit ConnectDialog(QWidget* parent = nullptr);

    // Prefills every field from choice (the command line's agent).
    void setChoice(const console::AgentChoice& choice);
    // The agent as entered; meaningful once the dialog was accepted.
    console::AgentChoice choice() const;

    // The first problem of the entries, if any.
    std::optional<ConnectProblem> problem() const;

public Q_SLOTS:
    void accept() override;

private:
    void updateEnabled();
    void setRowEnabled(QWidget* field, bool enabled);

    console::AgentChoice m_base;  // what the fields do not show (scenario, state file)
    QRadioButton* m_simulated = nullptr;
    QRadioButton* m_snmp = nullptr;
    QGroupBox* m_snmpBox = nullptr;
    QFormLayout* m_form = nullptr;
    QLineEdit* m_host = nullptr;
    QComboBox* m_version = nullptr;
    QLineEdit* m_community = nullptr;
    QLineEdit* m_user = nullptr;
    QComboBox* m_level = nullptr;
    QComboBox* m_authProtocol = nullptr;
    QLineEdit* m_authPass = nullptr;
    QComboBox* m_privProtocol = nullptr;
    QLineEdit* m_privPass = nullptr;
    QSpinBox* m_timeout = nullptr;
    QSpinBox* m_retries = nullptr;
};

}  // namespace gui
