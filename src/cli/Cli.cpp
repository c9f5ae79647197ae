#include "cli/Cli.h"

#include "platform/Format.h"

namespace korvell::cli {

void CliMessages::show(std::string_view text, std::string_view caption) {
    m_messages.push_back({std::string(text), std::string(caption)});
    // "CAPTION: text"; a caption that ends in a colon ("NOTICE: ") keeps just its own.
    const std::string shown = trimmed(std::string(caption));
    m_err << shown << (!shown.empty() && shown.back() == ':' ? " " : ": ") << text << '\n';
}

nlohmann::json CliMessages::toJson() const {
    auto list = nlohmann::json::array();
    for (const auto& m : m_messages)
        list.push_back({{"caption", m.caption}, {"text", m.text}});
    return list;
}

void addOutputOptions(CLI::App& command, OutputOptions& options, bool withCsv) {
    auto* json = command.add_flag("--json", options.json, "Print JSON");
    if (withCsv) {
        auto* csv = command.add_flag("--csv", options.csv, "Print comma-separated values");
        json->excludes(csv);
    }
}

int runKorvell(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // Every word of a command line is bounded before any option reads it: a path is at most
    // PATH_MAX (4096 bytes) long, and no command takes more than a few dozen words.
    constexpr std::size_t kMaxWords = 1024;
    constexpr std::size_t kMaxWordBytes = 4096;
    if (args.size() > kMaxWords) {
        err << "ERROR: A COMMAND LINE OF MORE THAN 1024 WORDS IS REFUSED\n";
        return kExitRefused;
    }
    for (const auto& word : args) {
        if (word.size() > kMaxWordBytes) {
            err << "ERROR: A WORD OF MORE THAN 4096 CHARACTERS IS REFUSED: " << word.substr(0, 40)
                << "...\n";
            return kExitRefused;
        }
    }
    // "--frequency=" gives its option an empty value, which would otherwise take the next word
    // as its value: the refusal would then depend on what follows.
    for (const auto& word : args) {
        if (word == "--") break;
        if (word.size() > 3 && word.starts_with("--") && word.back() == '=') {
            err << "ERROR: " << word.substr(0, word.size() - 1)
                << " IS EMPTY: GIVE IT A VALUE, AS IN " << word << "VALUE\n";
            return kExitRefused;
        }
    }
    CLI::App app{"Korvell Inductors: design of inductors for power filter applications", "korvell"};
    app.require_subcommand(1);
    CliContext context{out, err};
    addCurveCommand(app, context);
    addCatalogCommand(app, context);
    addWireCommand(app, context);
    addDesignCommand(app, context);
    addAnalyzeCommand(app, context);
    addPlotCommand(app, context);
    addSpiceCommand(app, context);
    addExploreCommand(app, context);
    addReportCommand(app, context);
    addMasCommand(app, context);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        // A number refused as the windows refuse it carries their caption already.
        const std::string what = e.what();
        err << (what.starts_with("DATA ENTRY ERROR: ") ? "" : "ERROR: ") << what << '\n';
        return kExitRefused;
    } catch (const std::exception& e) {
        err << "ERROR: " << e.what() << '\n';
        return kExitFailure;
    }
    return context.exitCode;
}

}  // namespace korvell::cli
