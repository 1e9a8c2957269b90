#include "framework/mib/set_preview.h"

#include "framework/afx/ui_hook.h"
#include "framework/mib/mib_error.h"

namespace mib {

bool previewSet(RequestEngine& engine, long h) {
    const std::vector<VarBind> varbinds = engine.stagedVarbinds(h);
    if (varbinds.empty()) {
        return true;  // sendSet refuses it with its own reason
    }
    std::vector<Oid> oids;
    for (const VarBind& vb : varbinds) {
        oids.push_back(vb.oid);
    }
    std::string why;
    const std::weak_ptr<bool> alive = engine.lifeToken();
    const std::optional<ResponsePdu> answer = engine.readNow(h, oids, &why);
    if (alive.expired()) {
        return false;
    }
    if (!answer) {
        // Nothing to show is no reason to stay silent: the operator asked to see the set.
        const std::string agent = engine.settings().agentName;
        afx::showMessageBox(nullptr,
                            "Cannot read the values before the set" +
                                (agent.empty() ? "" : " from " + agent) + ": " + why +
                                "\nNothing was sent.",
                            kPreviewCaption, MB_OK | MB_ICONEXCLAMATION);
        engine.dropSet(h, kMibNoResponse, "reading the values before the set (not sent): " + why);
        return false;
    }
    std::string note;
    std::vector<std::optional<Value>> before = valuesBefore(*answer, varbinds, &note);

    const MibDictionary& dictionary = engine.dictionary();
    const std::string& agent = engine.settings().agentName;
    std::string text = "Send this change" + (agent.empty() ? "" : " to " + agent) + "?\n";
    for (std::size_t i = 0; i < varbinds.size(); ++i) {
        JournalVarbind vb;
        const MibVariable* variable = dictionary.findByInstanceOid(varbinds[i].oid);
        vb.oid = varbinds[i].oid;
        if (variable != nullptr) {
            vb.name = variable->name;
            vb.instance = oidToString(Oid(
                vb.oid.begin() + static_cast<std::ptrdiff_t>(variable->oid.size()), vb.oid.end()));
        }
        text += "\n" + (variable ? vb.name + " " + vb.instance : oidToString(vb.oid)) + ": " +
                describeJournalValue(dictionary, vb, before[i]) + " -> " +
                describeJournalValue(dictionary, vb, varbinds[i].value);
    }
    if (!note.empty()) {
        text += "\n(" + note + ")";
    }
    const int answerGiven = afx::showMessageBox(nullptr, text, kPreviewCaption,
                                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answerGiven != IDYES) {
        engine.dropSet(h, kMibDeclined, "the operator answered No to the preview");
        return false;
    }
    engine.setKnownBefore(h, std::move(before));
    return true;
}

}  // namespace mib
