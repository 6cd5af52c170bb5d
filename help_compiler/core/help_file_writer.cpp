#include "help_compiler/core/help_file_writer.h"

#include "help_compiler/core/index_files.h"
#include "help_compiler/core/internal_files.h"
#include "help_compiler/core/system_file.h"
#include "help_compiler/core/topic_file.h"

bool WriteHelpFile(const HelpDocument& document, std::vector<uint8_t>& helpFile, SourceError& error) {
    TopicFile topics;
    if (!BuildTopicFile(document, topics, error)) return false;

    uint32_t contentsOffset = 0;
    for (size_t t = 0; t < document.topics.size(); ++t) {
        for (uint32_t context : document.topics[t].contexts) {
            if (context == document.contents) contentsOffset = topics.topicOffsets[t];
        }
    }

    std::vector<InternalFile> files;
    files.push_back({"|SYSTEM", BuildSystemFile(document, contentsOffset)});
    files.push_back({"|FONT", BuildFontFile(document.codePage)});
    if (!BuildIndexFiles(document, topics.topicOffsets, files, error)) return false;
    files.push_back({"|TOPIC", std::move(topics.data)});
    helpFile = BuildInternalFiles(std::move(files));
    return true;
}

bool CompileHelpSource(std::string_view text, std::vector<uint8_t>& helpFile, SourceError& error) {
    HelpSource source;
    HelpDocument document;
    return ParseHelpSource(text, source, error) && EncodeHelpSource(source, document, error) &&
           WriteHelpFile(document, helpFile, error);
}
