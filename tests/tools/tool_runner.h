#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// What one run of a companion gave.
struct TToolRun
{
    int Status = -1; // exit status, -1 when the program crashed
    std::string Out;
    std::string Err;
};

// Runs program (KV_RENDER_TOOL or KV_DXF_TOOL) with arguments, started in
// startFolder; its standard output goes to outputFile when one is named.
TToolRun RunProgram(const QString& program, const QString& startFolder, const QStringList& arguments,
                    const QString& outputFile = {});

// The same with kestrelview-render.
TToolRun RunTool(const QString& startFolder, const QStringList& arguments, const QString& outputFile = {});

// Runs kestrelview-render with arguments taken as raw bytes, started in
// startFolder, its output discarded; returns its exit status (-1 on a crash).
int RunToolWithBytes(const std::string& startFolder, const std::vector<std::string>& arguments);

void WriteBytes(const QString& path, const std::string& bytes);
std::string ReadBytes(const QString& path);

// A scratch folder holding a drawing: material.txt (unless empty) and
// temp.txt (unless empty), each written exactly as given.
struct TDrawingFolder
{
    QTemporaryDir Folder;
    QString Path() const { return Folder.path(); }
    QString File(const QString& name) const { return Folder.filePath(name); }
};
void WriteDrawing(const TDrawingFolder& folder, const std::string& materials, const std::string& drawing);

// A material.txt whose entry 1 is 0.1 to 0.7 and whose background is 10, 20, 30.
extern const std::string TinyMaterials;

// The JSON the program wrote to standard output with --json -.
nlohmann::ordered_json ParseJson(const TToolRun& run);
