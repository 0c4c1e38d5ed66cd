#include "store/ParamLayouts.h"

#include <stdexcept>

namespace qel::store {

namespace {

const QString kArgument = QStringLiteral("argumento");

ParamLayout list(const QString& numero, const QString& title, const QString& argumentPattern, int width,
                 QList<ParamField> fields, const QString& file = {}) {
    return ParamLayout{numero, title, argumentPattern, width, std::move(fields), file};
}

// A plain code list: one description from position 1.
ParamLayout descriptions(const QString& numero, const QString& title, const QString& argumentPattern, int width,
                         const QString& file) {
    return list(numero, title, argumentPattern, width, {{QStringLiteral("descripcion"), 1, width}}, file);
}

} // namespace

const ParamField* ParamLayout::field(const QString& name) const {
    for (const ParamField& f : fields) {
        if (f.name == name) {
            return &f;
        }
    }
    return nullptr;
}

QString ParamLayout::compose(const QMap<QString, QString>& values) const {
    QString funcion(width, QLatin1Char(' '));
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const ParamField* f = field(it.key());
        if (f == nullptr) {
            if (it.key() == kArgument) {
                continue; // the key is stored in its own column
            }
            throw std::invalid_argument("PARAM " + numero.toStdString() + ": unknown field " + it.key().toStdString());
        }
        const QString& value = it.value();
        if (value.size() > f->length) {
            throw std::invalid_argument("PARAM " + numero.toStdString() + ": '" + value.toStdString() +
                                        "' does not fit in " + f->name.toStdString());
        }
        const QString placed = f->rightAligned ? value.rightJustified(f->length) : value.leftJustified(f->length);
        funcion.replace(f->start - 1, f->length, placed);
    }
    return funcion;
}

QString ParamLayout::cut(const QString& funcion, const QString& name) const {
    const ParamField* f = field(name);
    if (f == nullptr) {
        throw std::invalid_argument("PARAM " + numero.toStdString() + ": unknown field " + name.toStdString());
    }
    return funcion.mid(f->start - 1, f->length).trimmed();
}

ParamLayouts::ParamLayouts() {
    const QString twoDigits = QStringLiteral("\\d{2}");
    const QString shortCode = QStringLiteral("\\d{1,2}");
    m_layouts = {
        // Built from ubigeo.csv. The district row carries, as its further field, the
        // Amazonia zone of the district ("1", "2" or blank) at position 60.
        list(param_list::kDistrict, QStringLiteral("DISTRITOS"), QStringLiteral("\\d{6}"), 80,
             {{QStringLiteral("nombre"), 1, 30}, {QStringLiteral("zona"), 60, 1}}),
        list(param_list::kBank, QStringLiteral("BANCOS"), twoDigits, 36, {{QStringLiteral("nombre"), 1, 36}},
             QStringLiteral("004_bancos.csv")),
        list(param_list::kDepartment, QStringLiteral("DEPARTAMENTOS"), twoDigits, 25,
             {{QStringLiteral("nombre"), 1, 25}}),
        list(param_list::kProvince, QStringLiteral("PROVINCIAS"), QStringLiteral("\\d{4}"), 30,
             {{QStringLiteral("nombre"), 1, 30}}),
        // The data file gives the module's contexts as a list of positions ("contextos"),
        // which the loader turns into the flags from position 83.
        list(param_list::kDocumentType, QStringLiteral("TIPOS DE DOCUMENTO"), twoDigits, doc_type_layout::kWidth,
             {{QStringLiteral("nombre_largo"), doc_type_layout::kLongName, doc_type_layout::kLongNameLength},
              {QStringLiteral("nombre_corto"), doc_type_layout::kShortName, doc_type_layout::kShortNameLength},
              {QStringLiteral("longitud"), doc_type_layout::kLenDoc, 2},
              {QStringLiteral("indicadores"), doc_type_layout::kFlags, 6},
              {QStringLiteral("orden"), doc_type_layout::kOrder, 2},
              {QStringLiteral("indicadores_contexto"), doc_type_layout::kFirstContext,
               doc_type_layout::kSharedContextCount},
              {QStringLiteral("contextos_modulo"), doc_type_layout::kFirstModuleContext,
               doc_type_layout::kLastContext - doc_type_layout::kFirstModuleContext + 1},
              {QStringLiteral("indicador"), doc_type_layout::kFlag126, 1},
              {QStringLiteral("tipo_dato"), doc_type_layout::kDataType, 1},
              {QStringLiteral("tipo_longitud"), doc_type_layout::kLengthType, 1}},
             QStringLiteral("044_tipos_documento.csv")),
        list(param_list::kStreetType, QStringLiteral("TIPOS DE VIA"), twoDigits, 36,
             {{QStringLiteral("abreviatura"), 1, 5}, {QStringLiteral("nombre"), 7, 30}},
             QStringLiteral("058_tipos_via.csv")),
        list(param_list::kZoneType, QStringLiteral("TIPOS DE ZONA"), twoDigits, 36,
             {{QStringLiteral("abreviatura"), 1, 5}, {QStringLiteral("nombre"), 7, 30}},
             QStringLiteral("059_tipos_zona.csv")),
        // Argument: form code and three-digit casilla. The casilla writer takes the text from
        // position 10 to the end as the row's idcasilla, so nothing may follow it.
        list(param_list::kCasillaWriter, QStringLiteral("CASILLAS DEL FORMULARIO"), QStringLiteral("\\d{4}\\d{3}"), 11,
             {{QStringLiteral("etiqueta"), 1, 9}, {QStringLiteral("idcasilla"), 10, 2}}),
        list(param_list::kUit, QStringLiteral("UIT"), QStringLiteral("\\d{4}0101"), 12,
             {{QStringLiteral("importe"), 1, 12}}, QStringLiteral("404_uit.csv")),
        descriptions(param_list::kNonTaxableBasis, QStringLiteral("BASE LEGAL DE INAFECTACION"), shortCode, 60,
                     QStringLiteral("832_bases_inafectacion.csv")),
        descriptions(param_list::kReorganisation, QStringLiteral("TIPOS DE REORGANIZACION"), shortCode, 60,
                     QStringLiteral("835_tipos_reorganizacion.csv")),
        // The partner window shows positions 1-35 and takes the code from their last ten
        // characters, so the code closes the text.
        list(param_list::kPartnerType, QStringLiteral("TIPOS DE SOCIO"), twoDigits, 35,
             {{QStringLiteral("descripcion"), 1, 25}, {kArgument, 26, 10, true}},
             QStringLiteral("841_tipos_socio.csv")),
        descriptions(param_list::kNonDomiciledService, QStringLiteral("SERVICIOS DE NO DOMICILIADOS"), twoDigits, 60,
                     QStringLiteral("842_servicios_no_domiciliados.csv")),
        descriptions(param_list::kTaxBenefit, QStringLiteral("BENEFICIOS TRIBUTARIOS"), shortCode, 60,
                     QStringLiteral("847_beneficios_tributarios.csv")),
        list(param_list::kPrintedDocumentType, QStringLiteral("TIPOS DE DOCUMENTO PARA IMPRESION"), twoDigits, 20,
             {{QStringLiteral("nombre"), 1, 20}}, QStringLiteral("848_documentos_impresion.csv")),
        list(param_list::kVersion, QStringLiteral("VERSION DEL MODULO"), QStringLiteral("\\d{4}"), 14,
             {{QStringLiteral("version"), 1, 3}, {QStringLiteral("fecha"), 5, 10}}, QStringLiteral("856_version.csv")),
        descriptions(param_list::kExemptionBasis, QStringLiteral("BASE LEGAL DE EXONERACION"), shortCode, 60,
                     QStringLiteral("861_bases_exoneracion.csv")),
        descriptions(param_list::kDonationModality, QStringLiteral("MODALIDADES DE DONACION"), shortCode, 40,
                     QStringLiteral("862_modalidades_donacion.csv")),
        descriptions(param_list::kDonationType, QStringLiteral("TIPOS DE DONACION"), QStringLiteral("[A-Z]\\d?"), 80,
                     QStringLiteral("863_tipos_donacion.csv")),
        descriptions(param_list::kVehicleCategory, QStringLiteral("CATEGORIAS DE VEHICULO"),
                     QStringLiteral("[A-Z]\\d?(\\.\\d)?"), 30, QStringLiteral("967_categorias_vehiculo.csv")),
        list(param_list::kPriceIndex, QStringLiteral("INDICE DE PRECIOS AL POR MAYOR"),
             QStringLiteral("\\d{4}(0[1-9]|1[0-2])"), 12, {{QStringLiteral("indice"), 1, 12}},
             QStringLiteral("975_indice_precios.csv")),
        list(param_list::kCountry, QStringLiteral("PAISES"), QStringLiteral("\\d{4}"), 36,
             {{QStringLiteral("nombre"), 1, 36}}, QStringLiteral("976_paises.csv")),
        list(param_list::kMinimumWage, QStringLiteral("REMUNERACION MINIMA VITAL"), QStringLiteral("\\d{4}"), 12,
             {{QStringLiteral("importe"), 1, 12}}, QStringLiteral("982_remuneracion_minima.csv")),
        descriptions(param_list::kRelatedPartyOperation, QStringLiteral("OPERACIONES CON PARTES VINCULADAS"), twoDigits,
                     60, QStringLiteral("998_operaciones_vinculadas.csv")),
    };
}

const ParamLayouts& ParamLayouts::instance() {
    static const ParamLayouts layouts;
    return layouts;
}

const ParamLayout* ParamLayouts::find(const QString& numero) const {
    for (const ParamLayout& l : m_layouts) {
        if (l.numero == numero) {
            return &l;
        }
    }
    return nullptr;
}

const ParamLayout& ParamLayouts::layout(const QString& numero) const {
    const ParamLayout* l = find(numero);
    if (l == nullptr) {
        throw std::out_of_range("no PARAM layout for " + numero.toStdString());
    }
    return *l;
}

namespace doc_type_layout {

const QString& rucFallbackFunction() {
    static const QString row = QStringLiteral("REG. UNICO DE CONTRIBUYENTES  ") + QStringLiteral(" RUC") +
                               QString(11, QLatin1Char(' ')) + QStringLiteral("11 000110 01 000001000001100111011111") +
                               QString(43, QLatin1Char(' ')) + QStringLiteral("0 5 0");
    return row;
}

} // namespace doc_type_layout

} // namespace qel::store
