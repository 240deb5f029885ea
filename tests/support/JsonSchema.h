#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <QStringList>

// The part of JSON Schema (2020-12) that the schemas of these tests use: type, required,
// properties, additionalProperties, items, enum, const, minimum, maximum, minLength, pattern,
// allOf, oneOf and $ref into "#/$defs/". Each problem names the place as a JSON pointer.
class JsonSchema
{
public:
    explicit JsonSchema(const QJsonObject& root) : m_root(root) {}

    QStringList problems(const QJsonValue& value) const
    {
        QStringList found;
        check(m_root, value, QString(), found);
        return found;
    }

private:
    static bool hasType(const QJsonValue& value, const QString& type)
    {
        if (type == u"integer")
            return value.isDouble() && value.toDouble() == double(qint64(value.toDouble()));
        if (type == u"number")
            return value.isDouble();
        static const QHash<QString, QJsonValue::Type> types = {{"string", QJsonValue::String},
                                                               {"boolean", QJsonValue::Bool},
                                                               {"object", QJsonValue::Object},
                                                               {"array", QJsonValue::Array},
                                                               {"null", QJsonValue::Null}};
        return value.type() == types.value(type, QJsonValue::Undefined);
    }

    void check(const QJsonObject& schema, const QJsonValue& value, const QString& at,
               QStringList& found) const
    {
        auto fail = [&](const QString& what) {
            found.append((at.isEmpty() ? "/" : at) + ": " + what);
        };
        if (schema.contains("$ref")) {
            const QString name = schema["$ref"].toString().section(u'/', -1);
            check(m_root["$defs"][name].toObject(), value, at, found);
        }
        for (const QJsonValue& part : schema["allOf"].toArray())
            check(part.toObject(), value, at, found);
        if (schema.contains("oneOf")) {
            int matching = 0;
            for (const QJsonValue& part : schema["oneOf"].toArray()) {
                QStringList branch;
                check(part.toObject(), value, at, branch);
                matching += branch.isEmpty();
            }
            if (matching != 1)
                fail(QStringLiteral("matches %1 of the alternatives instead of one").arg(matching));
        }
        if (schema.contains("type")) {
            const QJsonValue type = schema["type"];
            const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
            if (std::none_of(types.begin(), types.end(),
                             [&](const QJsonValue& t) { return hasType(value, t.toString()); })) {
                fail(QStringLiteral("is not of type %1").arg(type.toVariant().toString()));
                return;
            }
        }
        if (schema.contains("const") && value != schema["const"])
            fail("is not the value required");
        if (schema.contains("enum") && !schema["enum"].toArray().contains(value))
            fail(QStringLiteral("\"%1\" is none of the values allowed")
                     .arg(value.toVariant().toString()));
        if (schema.contains("minimum") && value.toDouble() < schema["minimum"].toDouble())
            fail(QStringLiteral("%1 is below the minimum").arg(value.toDouble()));
        if (schema.contains("maximum") && value.toDouble() > schema["maximum"].toDouble())
            fail(QStringLiteral("%1 is above the maximum").arg(value.toDouble()));
        if (schema.contains("minLength") && value.toString().size() < schema["minLength"].toInt())
            fail("is too short");
        if (schema.contains("pattern") &&
            !QRegularExpression(schema["pattern"].toString()).match(value.toString()).hasMatch())
            fail(QStringLiteral("\"%1\" does not match the pattern").arg(value.toString()));
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            for (const QJsonValue& key : schema["required"].toArray())
                if (!object.contains(key.toString()))
                    fail(QStringLiteral("lacks \"%1\"").arg(key.toString()));
            const QJsonObject properties = schema["properties"].toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                const QString place = at + u'/' + it.key();
                if (properties.contains(it.key()))
                    check(properties[it.key()].toObject(), it.value(), place, found);
                else if (schema["additionalProperties"] == QJsonValue(false))
                    found.append(place + ": is not allowed here");
                else if (schema["additionalProperties"].isObject())
                    check(schema["additionalProperties"].toObject(), it.value(), place, found);
            }
        }
        if (value.isArray() && schema.contains("items")) {
            const QJsonArray array = value.toArray();
            for (int i = 0; i < array.size(); ++i)
                check(schema["items"].toObject(), array[i], at + u'/' + QString::number(i), found);
        }
    }

    QJsonObject m_root;
};
