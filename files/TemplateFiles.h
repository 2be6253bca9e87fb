#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "files/Workspace.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// The four empty template tables carried inside the program, written into
// the temporary folder as "persontemplate.kvt" … "kvxdat3template.kvt".
class TemplateFiles {
public:
    TemplateFiles(Env& env, ErrorReporter& errors, const Paths& paths, Workspace& workspace)
        : env_(env), errors_(errors), paths_(paths), workspace_(workspace)
    {
    }

    // Deletes and rewrites the four templates, so that every run starts from
    // pristine empty tables.
    void extrahiere_aus_resource();
    // Writes the blob of that number and type ("CUSTOM") to folder + file
    // name unless such a file is listed already; the folder is completed in
    // place. Reports nothing: a template that could not be written is
    // missing, and its later copy fails and is reported there.
    void schreibe_resource(int number, const std::string& type, const std::string& fileName, std::string& folder);

private:
    bool listed(const std::string& path) const;

    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
    Workspace& workspace_;
};

} // namespace torvane
