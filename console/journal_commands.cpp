#include "console/journal_commands.h"

#include <filesystem>
#include <ostream>

#include "console/change_undo.h"
#include "framework/mib/mib_agent.h"

namespace console {

namespace {

std::string resolvedPath(const JournalOptions& options, std::string* error) {
    if (options.path) {
        return *options.path;
    }
    const std::string path = defaultJournalPath();
    if (path.empty()) {
        *error =
            "no place for the change journal: neither XDG_STATE_HOME nor HOME is set; give "
            "--journal FILE, or --journal none to make changes without a journal";
    }
    return path;
}

void printChange(std::ostream& out, const mib::JournalChange& c) {
    const auto& dictionary = mib::MibDictionary::builtin();
    out << "change " << c.id << "  " << c.time << "  " << c.user << "  " << c.source.page;
    if (c.source.undoes != 0) {
        out << " (undoes change " << c.source.undoes << ")";
    }
    out << "  " << mib::describeOutcome(c) << "\n";
    for (const mib::JournalVarbind& vb : c.varbinds) {
        out << "  " << varbindLabel(vb) << ": "
            << mib::describeJournalValue(dictionary, vb, vb.before) << " -> "
            << mib::describeJournalValue(dictionary, vb, vb.sent) << "\n";
    }
}

int fail(SessionEnvironment& env, const UndoFailure& failure) {
    env.err << env.program << ": " << failure.message << "\n";
    return failure.status;
}

}  // namespace

void ChangeSafety::applyTo(CMibAgent& agent) const {
    agent.SetChangeJournal(journal);
    agent.SetPreviewSets(preview);
}

bool prepareChangeSafety(const JournalOptions& options, const AgentChoice& agent, ChangeSafety* out,
                         std::string* error) {
    out->preview = options.preview;
    if (options.none) {
        out->journal.reset();
        return true;
    }
    const std::string path = resolvedPath(options, error);
    if (path.empty()) {
        return false;
    }
    if (!options.path) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    }
    out->journal = mib::ChangeJournal::open(path, error);
    if (!out->journal) {
        *error += "; give --journal FILE, or --journal none to make changes without a journal";
        return false;
    }
    out->journal->setAgentAddress(journalAgentAddress(agent));
    return true;
}

int runJournalCommand(const ConsoleOptions& options, const JournalOptions& journal,
                      SessionEnvironment& env) {
    std::string error;
    const std::string path = resolvedPath(journal, &error);
    if (path.empty()) {
        return fail(env, {kExitUsage, error});
    }
    const mib::JournalContents contents = mib::readJournal(path, &error);
    if (!error.empty()) {
        return fail(env, {kExitUsage, error});
    }
    for (const std::string& warning : contents.warnings) {
        env.err << env.program << ": warning: " << path << ": " << warning << "\n";
    }
    const std::string address = journalAgentAddress(options.agent);
    if (journal.history) {
        std::vector<const mib::JournalChange*> mine;
        for (const mib::JournalChange& c : contents.changes) {
            if (c.agentAddress == address) {
                mine.push_back(&c);
            }
        }
        if (mine.empty()) {
            env.out << "no change to " << address << " in " << path << "\n";
            return kExitOk;
        }
        const std::size_t shown = std::min(mine.size(), static_cast<std::size_t>(*journal.history));
        env.out << "the last " << shown << " of " << mine.size() << " changes to " << address
                << " in " << path << ":\n";
        for (std::size_t i = mine.size() - shown; i < mine.size(); ++i) {
            printChange(env.out, *mine[i]);
        }
        return kExitOk;
    }
    const long id = *journal.undo;
    const mib::JournalChange* change = contents.find(id);
    if (change == nullptr) {
        return fail(env, {kExitUsage, "--undo " + std::to_string(id) + ": there is no change " +
                                          std::to_string(id) + " in " + path});
    }
    if (change->agentAddress != address) {
        return fail(env, {kExitUsage, "--undo " + std::to_string(id) + ": change " +
                                          std::to_string(id) + " was made on " + change->agentName +
                                          " at " + change->agentAddress + ", not on " + address});
    }
    ChangeSafety safety;
    if (!prepareChangeSafety(journal, options.agent, &safety, &error)) {
        return fail(env, {kExitUsage, error});
    }
    // The change is copied: the undo appends to the file the contents were read from.
    const mib::JournalChange target = *change;
    const std::optional<UndoFailure> failure = undoChange(options, target, safety, env.out);
    return failure ? fail(env, *failure) : kExitOk;
}

}  // namespace console
