#include "tests/tools/tool_runner.h"

#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

TToolRun RunProgram(const QString& program, const QString& startFolder, const QStringList& arguments,
                    const QString& outputFile)
{
    QProcess process;
    process.setWorkingDirectory(startFolder);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    process.waitForFinished(-1);
    TToolRun run;
    if (process.exitStatus() == QProcess::NormalExit)
        run.Status = process.exitCode();
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}

TToolRun RunTool(const QString& startFolder, const QStringList& arguments, const QString& outputFile)
{
    return RunProgram(KV_RENDER_TOOL, startFolder, arguments, outputFile);
}

int RunToolWithBytes(const std::string& startFolder, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv = {const_cast<char*>(KV_RENDER_TOOL)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0)
    {
        int null = open("/dev/null", O_WRONLY);
        if (chdir(startFolder.c_str()) != 0 || null < 0)
            _exit(127);
        dup2(null, 1);
        dup2(null, 2);
        execv(KV_RENDER_TOOL, argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
}

std::string ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void WriteDrawing(const TDrawingFolder& folder, const std::string& materials, const std::string& drawing)
{
    if (!materials.empty())
        WriteBytes(folder.File("material.txt"), materials);
    if (!drawing.empty())
        WriteBytes(folder.File("temp.txt"), drawing);
}

const std::string TinyMaterials = "colours\r\n"
                                  "0.1,0.2,0.3,0.4,0.5,0.6,0.7\r\n"
                                  "1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n"
                                  "10,20,30\r\n";

nlohmann::ordered_json ParseJson(const TToolRun& run)
{
    return nlohmann::ordered_json::parse(run.Out);
}
