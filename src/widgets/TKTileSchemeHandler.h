#pragma once

#include <QWebEngineUrlSchemeHandler>

#include <memory>

class TKTileResponder;

// Serves the map page's tiles under the application's own scheme
// ("tovik-tile:z/x/y.png") from the tile store, so tiles seen once stay
// visible without a network. The scheme is registered before the
// QApplication is made (registerScheme).
class TKTileSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    static constexpr const char *kScheme = "tovik-tile";

    explicit TKTileSchemeHandler(std::shared_ptr<TKTileResponder> responder, QObject *parent = nullptr);

    // Once per process, before the QApplication exists.
    static void registerScheme();

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    std::shared_ptr<TKTileResponder> m_responder;
};
