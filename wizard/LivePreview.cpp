#include "LivePreview.h"

#include "PredefinedBackground.h"

namespace {
// Rows drawn and kept while the list scrolls: a few screens' worth.
constexpr int keptRows = 200;
} // namespace

LivePreview::LivePreview(const ButtonProject& project, const BackgroundPictures& pictures,
                         const OptionSets& options)
    : m_project(project), m_pictures(pictures),
      m_renderer(std::make_unique<ButtonRenderer>(project, pictures, options.text, m_sizes)),
      m_drawn(keptRows), m_twinRenderer(std::make_unique<ButtonRenderer>(project, m_doubledPictures,
                                                                         options.text, m_sizes, 2)),
      m_twins(keptRows)
{
}

LivePreview::~LivePreview() = default;

void LivePreview::invalidate()
{
    m_measured = false;
    m_fits.clear();
    m_drawn.clear();
    m_doubled = false;
    m_twins.clear();
}

QList<ButtonState> LivePreview::states() const
{
    return m_project.drawnStates();
}

int LivePreview::rowCount() const
{
    return qMax(1, int(m_project.captions.size()));
}

QString LivePreview::caption(int row) const
{
    if (m_project.captions.isEmpty())
        return QStringLiteral("Sample");
    return m_project.captions.value(row);
}

QList<QImage> LivePreview::buttons(int row, int scale)
{
    if (row < 0 || row >= rowCount())
        return {};
    const bool twins = scale == 2;
    QCache<int, QList<QImage>>& kept = twins ? m_twins : m_drawn;
    if (const QList<QImage>* drawn = kept.object(row))
        return *drawn;
    if (twins) {
        // A twin is twice the size its Normal button stored at scale 1.
        fit(row);
        if (!m_doubled)
            m_doubledPictures = PredefinedBackground::doubleSizePictures(m_project, m_pictures);
        m_doubled = true;
    }
    ButtonRenderer& renderer = twins ? *m_twinRenderer : *m_renderer;
    const QString text = caption(row);
    auto* drawn = new QList<QImage>;
    // Normal first: the other states take its size.
    for (const ButtonState state : states())
        drawn->append(renderer.render(state, row + 1, text));
    const QList<QImage> result = *drawn;
    kept.insert(row, drawn);
    return result;
}

ButtonRenderer::Fit LivePreview::measureRow(int row)
{
    const QString text = caption(row);
    ButtonRenderer::Fit rowFit;
    for (const ButtonState state : states()) {
        const ButtonRenderer::Fit fit = m_renderer->fit(state, row + 1, text);
        if (state == ButtonState::Normal)
            rowFit.size = fit.size;
        rowFit.cut = rowFit.cut || fit.cut;
    }
    return rowFit;
}

void LivePreview::measure()
{
    if (m_measured)
        return;
    m_fits.resize(rowCount());
    for (int row = 0; row < m_fits.size(); ++row) {
        if (!m_fits[row])
            m_fits[row] = measureRow(row);
    }
    m_measured = true;
}

ButtonRenderer::Fit LivePreview::fit(int row)
{
    if (row < 0 || row >= rowCount())
        return {};
    // One row alone, so that a view of a few rows of a long list measures only those.
    if (m_fits.size() != rowCount())
        m_fits.resize(rowCount());
    if (!m_fits[row])
        m_fits[row] = measureRow(row);
    return *m_fits[row];
}

QStringList LivePreview::cutCaptions()
{
    measure();
    QStringList cut;
    if (m_project.captions.isEmpty())
        return cut;
    for (int row = 0; row < m_fits.size(); ++row) {
        if (m_fits[row]->cut)
            cut.append(m_project.captions.at(row));
    }
    return cut;
}
