// vexorquery display FILE: every element of a display file with its whole configuration.
#include "Commands.h"

#include "CommandLine.h"

#include "DisplayDocument.h"
#include "ElementDescription.h"
#include "VexorQueryElemOBJ.h"

#include <cstdio>

int RunDisplayCommand(const Args& args) {
    const char* usage = "usage: vexorquery display FILE\n";
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("display", args, {}, 1, 1, usage, parsed)) return *status;
    const std::string& path = parsed.positional[0];
    RegisterVexorQueryElementClass();

    CDisplayDocument doc;
    CDisplayLoadError error;
    if (!doc.LoadFile(path, error)) {
        std::fprintf(stderr, "vexorquery: %s: %s\n", path.c_str(), error.message.c_str());
        return 1;
    }

    std::printf("display %s: %zu element%s\n", path.c_str(), doc.m_objects.size(),
                doc.m_objects.size() == 1 ? "" : "s");
    int index = 0;
    for (const auto& obj : doc.m_objects) {
        const CRuntimeClass& cls = obj->GetRuntimeClass();
        std::printf("\nelement %d: %s (schema %u)\n", ++index, cls.m_className, cls.m_schema);
        if (auto element = dynamic_cast<const CVexorQueryElemOBJ*>(obj.get())) {
            for (const CFieldLine& line : DescribeElement(*element))
                std::printf("  %s: %s\n", line.name.c_str(), line.value.c_str());
        } else if (auto unknown = dynamic_cast<const CUnknownDrawObject*>(obj.get())) {
            std::printf("  (no loaded module provides this class; its %zu stored bytes are kept unchanged)\n",
                        unknown->Payload().size());
        }
    }
    return 0;
}
