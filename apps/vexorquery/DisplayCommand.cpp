// vexorquery display FILE: every element of a display file with its whole configuration.
#include "Commands.h"

#include "DisplayDocument.h"
#include "ElementDescription.h"
#include "VexorQueryElemOBJ.h"

#include <cstdio>

int RunDisplayCommand(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::fprintf(stderr, "usage: vexorquery display FILE\n");
        return 1;
    }
    const std::string& path = args[0];
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
