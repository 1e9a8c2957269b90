// The connect dialog filled in as an operator does: what it refuses (with a message naming
// the field, staying open), what it hands back, and where its defaults come from.
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>

#include "console/gui/connect_dialog.h"

namespace gui {

class ConnectDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ConnectDialog> m_dialog;

    template <typename W>
    W* field(const char* name) {
        W* widget = m_dialog->findChild<W*>(name);
        if (widget == nullptr) {
            qFatal("no field %s", name);
        }
        return widget;
    }
    void type(const char* name, const QString& text) {
        QLineEdit* edit = field<QLineEdit>(name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void choose(const char* name, const QString& text) {
        QComboBox* box = field<QComboBox>(name);
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
    }
    // Presses OK; the text of the warning it raised (answered with OK), "" when none came.
    QString pressOk() {
        QString warning;
        QTimer::singleShot(0, [&warning] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warning = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        auto* buttons = m_dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return warning;
    }
    void snmpV3(const QString& level, const QString& auth, const QString& priv) {
        field<QRadioButton>("snmpAgent")->click();
        type("host", "10.0.0.9");
        choose("version", "3");
        type("user", "admin");
        choose("securityLevel", level);
        type("authPassPhrase", auth);
        type("privPassPhrase", priv);
    }

private slots:
    void init() {
        m_dialog = std::make_unique<ConnectDialog>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup() { m_dialog.reset(); }

    void theSimulatedSwitchIsTheDefault() {
        QVERIFY(field<QRadioButton>("simulated")->isChecked());
        QVERIFY(!field<QLineEdit>("host")->isEnabled());
        QCOMPARE(pressOk(), QString());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(m_dialog->choice().kind == console::AgentChoice::Kind::Simulated);
    }

    void refusedEntries_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("community");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("authPass");
        QTest::addColumn<QString>("privPass");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty host") << ""
                                    << "2c"
                                    << "public"
                                    << ""
                                    << ""
                                    << ""
                                    << "Host";
        QTest::newRow("blank host") << "   "
                                    << "2c"
                                    << "public"
                                    << ""
                                    << ""
                                    << ""
                                    << "Host";
        QTest::newRow("host with a blank") << "a b"
                                           << "2c"
                                           << "public"
                                           << ""
                                           << ""
                                           << ""
                                           << "Host";
        QTest::newRow("port out of range") << "udp:10.0.0.1:70000"
                                           << "1"
                                           << "public"
                                           << ""
                                           << ""
                                           << ""
                                           << "Host";
        QTest::newRow("empty community v1") << "10.0.0.1"
                                            << "1"
                                            << ""
                                            << ""
                                            << ""
                                            << ""
                                            << "Community";
        QTest::newRow("empty community v2c") << "10.0.0.1"
                                             << "2c"
                                             << ""
                                             << ""
                                             << ""
                                             << ""
                                             << "Community";
        QTest::newRow("empty user") << "10.0.0.1"
                                    << "3"
                                    << ""
                                    << ""
                                    << "authpass1"
                                    << "privpass1"
                                    << "User";
        QTest::newRow("auth pass phrase of 7") << "10.0.0.1"
                                               << "3"
                                               << ""
                                               << "admin"
                                               << "seven77"
                                               << "privpass1"
                                               << "Authentication pass phrase";
        QTest::newRow("privacy pass phrase of 7") << "10.0.0.1"
                                                  << "3"
                                                  << ""
                                                  << "admin"
                                                  << "authpass1"
                                                  << "seven77"
                                                  << "Privacy pass phrase";
    }
    void refusedEntries() {
        QFETCH(QString, host);
        QFETCH(QString, version);
        QFETCH(QString, community);
        QFETCH(QString, user);
        QFETCH(QString, authPass);
        QFETCH(QString, privPass);
        QFETCH(QString, named);
        field<QRadioButton>("snmpAgent")->click();
        type("host", host);
        choose("version", version);
        if (version != "3") {
            type("community", community);
        } else {
            type("user", user);
            choose("securityLevel", "authPriv");
            type("authPassPhrase", authPass);
            type("privPassPhrase", privPass);
        }
        const QString warning = pressOk();
        QVERIFY2(warning.startsWith(named + ":"), qPrintable(warning));
        QVERIFY2(!warning.contains("seven77"), "a pass phrase is never shown");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }

    void aPassPhraseTheLevelDoesNotUseIsNotChecked() {
        snmpV3("authNoPriv", "authpass1", "");
        QCOMPARE(pressOk(), QString());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(!field<QLineEdit>("privPassPhrase")->isEnabled());
    }

    void aValidV2cChoice() {
        field<QRadioButton>("snmpAgent")->click();
        type("host", "switch7:1161");
        choose("version", "2c");
        type("community", "private");
        field<QSpinBox>("timeout")->setValue(3);
        field<QSpinBox>("retries")->setValue(0);
        QCOMPARE(pressOk(), QString());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        const console::AgentChoice choice = m_dialog->choice();
        QVERIFY(choice.kind == console::AgentChoice::Kind::Snmp);
        QCOMPARE(choice.snmp.address, std::string("udp:switch7:1161"));
        QVERIFY(choice.snmp.version == mib::SnmpVersion::V2c);
        QCOMPARE(choice.snmp.community, std::string("private"));
        QCOMPARE(choice.timeoutSeconds, std::optional<int>(3));
        QCOMPARE(choice.retries, std::optional<int>(0));
    }

    void aValidV3Choice() {
        snmpV3("authPriv", "authpass1", "privpass1");
        choose("authProtocol", "SHA-256");
        choose("privProtocol", "DES");
        QCOMPARE(pressOk(), QString());
        const console::AgentChoice choice = m_dialog->choice();
        QCOMPARE(choice.snmp.address, std::string("udp:10.0.0.9:161"));
        QVERIFY(choice.snmp.version == mib::SnmpVersion::V3);
        QCOMPARE(choice.snmp.user, std::string("admin"));
        QVERIFY(choice.snmp.level == mib::SecurityLevel::AuthPriv);
        QVERIFY(choice.snmp.authProtocol == mib::AuthProtocol::Sha256);
        QCOMPARE(choice.snmp.authPassword, std::string("authpass1"));
        QVERIFY(choice.snmp.privProtocol == mib::PrivProtocol::Des);
        QCOMPARE(choice.snmp.privPassword, std::string("privpass1"));
        for (const char* secret : {"authPassPhrase", "privPassPhrase"}) {
            QCOMPARE(field<QLineEdit>(secret)->echoMode(), QLineEdit::Password);
        }
    }

    void theCommandLinePrefillsAndComesBackUnchanged() {
        console::AgentChoice given;
        given.kind = console::AgentChoice::Kind::Snmp;
        given.snmp.address = "udp6:[::1]:16100";
        given.snmp.version = mib::SnmpVersion::V3;
        given.snmp.user = "ops";
        given.snmp.level = mib::SecurityLevel::AuthNoPriv;
        given.snmp.authProtocol = mib::AuthProtocol::Md5;
        given.snmp.authPassword = "opsphrase";
        given.timeoutSeconds = 9;
        m_dialog->setChoice(given);
        QCOMPARE(field<QComboBox>("version")->currentText(), QString("3"));
        QVERIFY(!field<QLineEdit>("community")->isEnabled());
        QCOMPARE(pressOk(), QString());
        const console::AgentChoice back = m_dialog->choice();
        QCOMPARE(back.snmp.address, given.snmp.address);
        QCOMPARE(back.snmp.user, given.snmp.user);
        QVERIFY(back.snmp.level == given.snmp.level);
        QVERIFY(back.snmp.authProtocol == given.snmp.authProtocol);
        QCOMPARE(back.snmp.authPassword, given.snmp.authPassword);
        QCOMPARE(back.timeoutSeconds, given.timeoutSeconds);

        // A scenario given for the simulated switch is kept, though the dialog does not show it.
        console::AgentChoice simulated;
        simulated.scenarioPath = "lab.json";
        m_dialog->setChoice(simulated);
        QVERIFY(field<QRadioButton>("simulated")->isChecked());
        QCOMPARE(m_dialog->choice().scenarioPath, std::string("lab.json"));
    }

    void snmpConfGivesTheDefaultsTheCommandLineDidNot() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile conf(dir.filePath("snmp.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("defVersion 3\ndefSecurityName keeper\ndefCommunity lab\n");
        conf.close();
        qputenv("SNMPCONFPATH", dir.path().toLocal8Bit());

        console::ConsoleOptions options;
        options.agent.kind = console::AgentChoice::Kind::Snmp;
        options.agent.snmp.community = "given";
        options.given = {"-c"};
        std::string error;
        const auto choice = connectDefaults(options, &error);
        qunsetenv("SNMPCONFPATH");
        QVERIFY2(choice.has_value(), error.c_str());
        QVERIFY(choice->snmp.version == mib::SnmpVersion::V3);
        QCOMPARE(choice->snmp.user, std::string("keeper"));
        QCOMPARE(choice->snmp.community, std::string("given"));
    }
};

}  // namespace gui

QTEST_MAIN(gui::ConnectDialogTest)
#include "connect_dialog_qtest.moc"
