<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AbonentComSettings</name>
    <message>
        <source>Версия настроек %1 не совпадает с текущей %2</source>
        <translation>Settings version %1 does not match the current %2</translation>
    </message>
    <message>
        <source>Данные повреждены</source>
        <translation>The data is damaged</translation>
    </message>
</context>
<context>
    <name>CAbonentDialog</name>
    <message>
        <source>Абонент</source>
        <translation>Abonent</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Укажите имя абонента</source>
        <translation>Enter the abonent&apos;s name</translation>
    </message>
    <message>
        <source>Абонент с таким номером уже есть: %1</source>
        <translation>An abonent with this number already exists: %1</translation>
    </message>
</context>
<context>
    <name>CAbonentsTab</name>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Удалить абонента %1?</source>
        <translation>Remove abonent %1?</translation>
    </message>
</context>
<context>
    <name>CChannelPluginLibrary</name>
    <message>
        <source>Не найдена библиотека модуля настроек канала %1</source>
        <translation>The channel settings library %1 was not found</translation>
    </message>
    <message>
        <source>Не удалось загрузить библиотеку %1: %2</source>
        <translation>Could not load the library %1: %2</translation>
    </message>
    <message>
        <source>В библиотеке %1 нет функции %2</source>
        <translation>The library %1 has no function %2</translation>
    </message>
    <message>
        <source>Библиотека %1 реализует интерфейс версии %2, а нужна версия %3</source>
        <translation>The library %1 implements interface version %2, but version %3 is needed</translation>
    </message>
    <message>
        <source>Библиотека %1 не создала модуль настроек канала</source>
        <translation>The library %1 did not create a channel settings module</translation>
    </message>
</context>
<context>
    <name>CChannelTab</name>
    <message>
        <source>Расширенные настройки</source>
        <translation>Extended settings</translation>
    </message>
    <message>
        <source>Записать настройки канала</source>
        <translation>Write the channel settings</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>CComAbonentSettingsWidget</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Телефонный номер абонента&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;The abonent&apos;s phone number&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Тел. номер</source>
        <translation>Phone no.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Для набора номера в тональном режиме необходимо перед номером установить символ &amp;quot;T&amp;quot; в английской раскладке. (Пример &amp;quot;T123456&amp;quot;)&lt;/p&gt;&lt;p&gt;Для набора номера в импульсном режиме необходимо перед номером установить символ &amp;quot;P&amp;quot; в английской раскладке. (Пример &amp;quot;P123456&amp;quot;)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;To dial in tone mode, put the Latin letter &amp;quot;T&amp;quot; before the number (for example &amp;quot;T123456&amp;quot;).&lt;/p&gt;&lt;p&gt;To dial in pulse mode, put the Latin letter &amp;quot;P&amp;quot; before the number (for example &amp;quot;P123456&amp;quot;).&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;COM порт, используемый для вызова абонента&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;The COM port used to call the abonent&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>COM порт  </source>
        <translation>COM port  </translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Выбрать COM порт для вызова абонента&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Choose the COM port to call the abonent through&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Укажите телефонный номер</source>
        <translation>Enter the phone number</translation>
    </message>
    <message>
        <source>Укажите COM порт</source>
        <translation>Choose a COM port</translation>
    </message>
    <message>
        <source>Номер: %1, Порт: %2</source>
        <translation>Number: %1, Port: %2</translation>
    </message>
    <message>
        <source>Любой</source>
        <translation>Any</translation>
    </message>
</context>
<context>
    <name>CComChannelPlugin</name>
    <message>
        <source>Коммутируемый канал</source>
        <translation>Switched channel</translation>
    </message>
</context>
<context>
    <name>CComChannelSettingsWidget</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Увеличение размера блока увеличивает скорость отправки данных, если позволяет пропускная способность канала связи.&lt;/p&gt;&lt;p&gt;Также слегка возрастает нагрузка на процессор.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;A larger block sends data faster when the line&apos;s bandwidth allows it.&lt;/p&gt;&lt;p&gt;It also adds a little processor load.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Размер исходящего блока данных</source>
        <translation>Outgoing data block size</translation>
    </message>
    <message>
        <source> байт</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source>Используемые COM порты</source>
        <translation>COM ports in use</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Добавить СОМ порт&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-style:italic;&quot;&gt;(Ctrl + N)&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Add a COM port&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-style:italic;&quot;&gt;(Ctrl + N)&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Изменить настройки COM порта&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-style:italic;&quot;&gt;(F2)&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Edit the COM port&apos;s settings&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-style:italic;&quot;&gt;(F2)&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Редактировать</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Удалить выбранные COM порты&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-style:italic;&quot;&gt;(Delete)&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Remove the selected COM ports&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-style:italic;&quot;&gt;(Delete)&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Не удалось открыть для чтения файл %1: %2</source>
        <translation>Could not open the file %1 for reading: %2</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить %1 %2</source>
        <translation>Do you really want to remove %1 %2</translation>
    </message>
    <message>
        <source>COM порт</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>COM порта</source>
        <translation>COM ports</translation>
    </message>
    <message>
        <source>COM портов</source>
        <translation>COM ports</translation>
    </message>
    <message>
        <source>Реестр используемых устройств не задан: занятость COM портов другими каналами не проверяется</source>
        <translation>No registry of used devices was set: COM ports used by other channels are not checked</translation>
    </message>
</context>
<context>
    <name>CComPortDialog</name>
    <message>
        <source>Настройка COM порта</source>
        <translation>COM port settings</translation>
    </message>
    <message>
        <source>Активен</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>COM порт</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Скорость, бит/с</source>
        <translation>Speed, bit/s</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>2400</source>
        <translation>2400</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>57600</source>
        <translation>57600</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
    <message>
        <source>Управление потоком</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Аппаратное (RTS/CTS)</source>
        <translation>Hardware (RTS/CTS)</translation>
    </message>
    <message>
        <source>Программное (XON/XOFF)</source>
        <translation>Software (XON/XOFF)</translation>
    </message>
    <message>
        <source>Биты данных</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Четность</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Чет</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Нечет</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Пробел</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Маркер</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Стоповые биты</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>1.5</source>
        <translation>1.5</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Команда для инициализации модема при открытии COM порта.&lt;/p&gt;&lt;p&gt;Символы \n \r \t будут заменены соответствующим кодом.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;The command that initialises the modem when the COM port is opened.&lt;/p&gt;&lt;p&gt;The characters \n \r \t are replaced by their codes.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Строка инициализации</source>
        <translation>Init string</translation>
    </message>
    <message>
        <source>Расширенные настройки</source>
        <translation>Extended settings</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Укажите COM порт</source>
        <translation>Choose a COM port</translation>
    </message>
    <message>
        <source>Данный COM порт уже используется</source>
        <translation>This COM port is already in use</translation>
    </message>
    <message>
        <source>Данный COM порт уже используется в другом канале</source>
        <translation>This COM port is already in use by another channel</translation>
    </message>
</context>
<context>
    <name>CComPortsModel</name>
    <message>
        <source>Аппаратное</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Программное</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Чет</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Нечет</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Пробел</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Маркер</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Управление потоком</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>Биты данных</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>Четность</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Стоповые биты</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>Строка инициализации</source>
        <translation>Init string</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>1.5</source>
        <translation>1.5</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
</context>
<context>
    <name>CHostTour</name>
    <message>
        <source>Сценарий остановлен: окно не закрылось за %1 с</source>
        <translation>Tour stopped: the window did not close within %1 s</translation>
    </message>
    <message>
        <source>Итог: все шаги выполнены</source>
        <translation>Result: every step held</translation>
    </message>
    <message>
        <source>Итог: сценарий не пройден</source>
        <translation>Result: the tour failed</translation>
    </message>
    <message>
        <source>Библиотека %1 загружена, версия интерфейса %2</source>
        <translation>Library %1 loaded, interface version %2</translation>
    </message>
    <message>
        <source>Канал %1 «%2»</source>
        <translation>Channel %1 “%2”</translation>
    </message>
    <message>
        <source>тип канала 2</source>
        <translation>channel type 2</translation>
    </message>
    <message>
        <source>проверка связи не предлагается</source>
        <translation>no connection test is offered</translation>
    </message>
    <message>
        <source>Страница канала: Ctrl+N</source>
        <translation>Channel page: Ctrl+N</translation>
    </message>
    <message>
        <source>Ctrl+N открыл диалог COM порта</source>
        <translation>Ctrl+N opened the COM port dialog</translation>
    </message>
    <message>
        <source>страница сообщила об изменении один раз</source>
        <translation>the page reported one change</translation>
    </message>
    <message>
        <source>расширенные настройки показывают все семь столбцов</source>
        <translation>the extended settings show all seven columns</translation>
    </message>
    <message>
        <source>Открыт диалог «%1»</source>
        <translation>Dialog “%1” opened</translation>
    </message>
    <message>
        <source>в диалоге есть порт, скорость, флаг активности и кнопка применения</source>
        <translation>the dialog has the port, the speed, the active flag and the apply button</translation>
    </message>
    <message>
        <source>Выбран порт %1, скорость %2 бит/с</source>
        <translation>Port %1 chosen, speed %2 bit/s</translation>
    </message>
    <message>
        <source>диалог предлагает активный порт</source>
        <translation>the dialog proposes an active port</translation>
    </message>
    <message>
        <source>диалог принял порт</source>
        <translation>the dialog accepted the port</translation>
    </message>
    <message>
        <source>Применение настроек канала</source>
        <translation>Applying the channel settings</translation>
    </message>
    <message>
        <source>saveData записан через Global::safeSaving</source>
        <translation>saveData written through Global::safeSaving</translation>
    </message>
    <message>
        <source>Файл %1, %2 байт: %3</source>
        <translation>File %1, %2 bytes: %3</translation>
    </message>
    <message>
        <source>файл — channelCom.conf каталога настроек</source>
        <translation>the file is channelCom.conf of the settings directory</translation>
    </message>
    <message>
        <source>в файле ровно запись, которую вернул saveData</source>
        <translation>the file holds exactly the record saveData returned</translation>
    </message>
    <message>
        <source>запись версии 3 с одним активным портом %1 на 9600 бит/с</source>
        <translation>a version 3 record with one active port %1 at 9600 bit/s</translation>
    </message>
    <message>
        <source>Новый абонент</source>
        <translation>New abonent</translation>
    </message>
    <message>
        <source>Иванов Иван</source>
        <translation>Ivan Ivanov</translation>
    </message>
    <message>
        <source>открыт диалог абонента</source>
        <translation>the abonent dialog opened</translation>
    </message>
    <message>
        <source>Абонент: %1</source>
        <translation>Abonent: %1</translation>
    </message>
    <message>
        <source>в списке один абонент</source>
        <translation>the list holds one abonent</translation>
    </message>
    <message>
        <source>абонент записан в %1</source>
        <translation>the abonent was written to %1</translation>
    </message>
    <message>
        <source>Номер: %1, Порт: %2; </source>
        <translation>Number: %1, Port: %2; </translation>
    </message>
    <message>
        <source>prettySettings описывает номер и порт</source>
        <translation>prettySettings describes the number and the port</translation>
    </message>
    <message>
        <source>на странице абонента есть номер и выбор портов</source>
        <translation>the abonent page has the number and the port choice</translation>
    </message>
    <message>
        <source>без номера отказ с текстом canApply</source>
        <translation>without a number, a refusal with canApply&apos;s text</translation>
    </message>
    <message>
        <source>без порта отказ с текстом canApply</source>
        <translation>without a port, a refusal with canApply&apos;s text</translation>
    </message>
    <message>
        <source>Меню портов: %1</source>
        <translation>Port menu: %1</translation>
    </message>
    <message>
        <source>Любой</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>новая страница видит новый порт в меню</source>
        <translation>a new page sees the new port in its menu</translation>
    </message>
    <message>
        <source>выбран порт %1</source>
        <translation>port %1 chosen</translation>
    </message>
    <message>
        <source>абонент принят</source>
        <translation>the abonent was accepted</translation>
    </message>
    <message>
        <source>Второй абонент с тем же номером</source>
        <translation>A second abonent with the same number</translation>
    </message>
    <message>
        <source>в списке по-прежнему один абонент</source>
        <translation>the list still holds one abonent</translation>
    </message>
    <message>
        <source>Петров Петр</source>
        <translation>Petr Petrov</translation>
    </message>
    <message>
        <source>Абонент с таким номером уже есть: %1</source>
        <translation>An abonent with this number already exists: %1</translation>
    </message>
    <message>
        <source>isSameAbonentSettings не пустил второго абонента с тем же номером</source>
        <translation>isSameAbonentSettings refused a second abonent with the same number</translation>
    </message>
    <message>
        <source>Журнал: %1</source>
        <translation>Log: %1</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Сообщение: %1</source>
        <translation>Message: %1</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>НЕТ</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Укажите имя абонента</source>
        <translation>Enter the abonent&apos;s name</translation>
    </message>
    <message>
        <source>имя из одних пробелов не принято</source>
        <translation>a name of spaces only was refused</translation>
    </message>
    <message>
        <source>Тот же абонент, открытый и принятый без изменений</source>
        <translation>The same abonent, opened and accepted unchanged</translation>
    </message>
    <message>
        <source>абонент не спорит сам с собой о номере</source>
        <translation>the abonent does not conflict with itself over its number</translation>
    </message>
</context>
<context>
    <name>CHostWindow</name>
    <message>
        <source>Настройки: %1</source>
        <translation>Settings: %1</translation>
    </message>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Абоненты</source>
        <translation>Abonents</translation>
    </message>
</context>
<context>
    <name>CModemCheckButton</name>
    <message>
        <source>Проверить модем</source>
        <translation>Check modem</translation>
    </message>
    <message>
        <source>Открыть выбранные (или все активные) порты, послать модему AT и строку инициализации и показать его ответ</source>
        <translation>Open the selected (or all active) ports, send AT and the initialisation string to the modem and show its answer</translation>
    </message>
    <message>
        <source>Нет портов для проверки: выберите порт в таблице или сделайте порт активным</source>
        <translation>No ports to check: select a port in the table or make a port active</translation>
    </message>
    <message>
        <source>Проверка портов: %1…</source>
        <translation>Checking ports: %1…</translation>
    </message>
    <message>
        <source>Прервать</source>
        <translation>Abort</translation>
    </message>
</context>
<context>
    <name>CModemCheckDialog</name>
    <message>
        <source>Проверка модемов</source>
        <translation>Modem check</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Итог</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Ответы модема</source>
        <translation>Modem answers</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>нет ответа</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>%1 → %2 (%3 мс)</source>
        <translation>%1 → %2 (%3 ms)</translation>
    </message>
</context>
<context>
    <name>CModemProbe</name>
    <message>
        <source>проверка прервана</source>
        <translation>check interrupted</translation>
    </message>
    <message>
        <source>нет такого устройства: %1 (модем не подключен или имя порта неверно)</source>
        <translation>no such device: %1 (the modem is not connected or the port name is wrong)</translation>
    </message>
    <message>
        <source>порт не открылся: %1</source>
        <translation>the port did not open: %1</translation>
    </message>
    <message>
        <source>модем ответил OK на AT и на строку инициализации</source>
        <translation>the modem answered OK to AT and to the initialisation string</translation>
    </message>
    <message>
        <source>модем ответил OK на AT; строка инициализации не задана</source>
        <translation>the modem answered OK to AT; no initialisation string is set</translation>
    </message>
    <message>
        <source>вызов %1: модем ответил %2</source>
        <translation>call to %1: the modem answered %2</translation>
    </message>
    <message>
        <source>модем ответил %1 на AT</source>
        <translation>the modem answered %1 to AT</translation>
    </message>
    <message>
        <source>модем ответил %1 на строку инициализации «%2»: строка инициализации неверна</source>
        <translation>the modem answered %1 to the initialisation string “%2”: the initialisation string is wrong</translation>
    </message>
    <message>
        <source>вызов %1: нет результата за %2 мс</source>
        <translation>call to %1: no result within %2 ms</translation>
    </message>
    <message>
        <source>модем не ответил на %1 за %2 мс: неверная скорость, модем выключен или не подключен кабель</source>
        <translation>the modem did not answer %1 within %2 ms: wrong speed, the modem is off or the cable is not connected</translation>
    </message>
    <message>
        <source>на %1 пришли байты, не составляющие строку результата («%2»): обычно это неверная скорость или четность</source>
        <translation>%1 was answered with bytes that make no result line (“%2”): usually a wrong speed or parity</translation>
    </message>
    <message>
        <source>связь с модемом оборвалась посреди ответа на %1 (устройство закрылось: модем отключен или выключен)</source>
        <translation>the connection to the modem broke off in the middle of the answer to %1 (the device closed: the modem was disconnected or switched off)</translation>
    </message>
</context>
<context>
    <name>ChannelComSettings</name>
    <message>
        <source>Версия настроек %1 не совпадает с текущей %2</source>
        <translation>Settings version %1 does not match the current %2</translation>
    </message>
    <message>
        <source>Данные повреждены</source>
        <translation>The data is damaged</translation>
    </message>
</context>
<context>
    <name>DeviceAccess</name>
    <message>
        <source>нет доступа к %1</source>
        <translation>no access to %1</translation>
    </message>
    <message>
        <source>нет доступа к %1: устройство %2 открыто для группы %3, а пользователь %4 в нее не входит (добавьте его: usermod -aG %3 %4, затем войдите в систему заново)</source>
        <translation>no access to %1: the device %2 is open to the group %3, and the user %4 is not in it (add the user: usermod -aG %3 %4, then log in again)</translation>
    </message>
    <message>
        <source>нет доступа к %1: права устройства %2: %3, владелец %4, группа %5; пользователь %6</source>
        <translation>no access to %1: permissions of the device %2: %3, owner %4, group %5; user %6</translation>
    </message>
</context>
<context>
    <name>Global</name>
    <message>
        <source>КБайт/с</source>
        <translation>KiB/s</translation>
    </message>
    <message>
        <source>МБайт/с</source>
        <translation>MiB/s</translation>
    </message>
    <message>
        <source>ГБайт/с</source>
        <translation>GiB/s</translation>
    </message>
    <message>
        <source>ТБайт/с</source>
        <translation>TiB/s</translation>
    </message>
    <message>
        <source>%1 байт/с</source>
        <translation>%1 bytes/s</translation>
    </message>
    <message>
        <source>Кбит/с</source>
        <translation>Kbit/s</translation>
    </message>
    <message>
        <source>Мбит/с</source>
        <translation>Mbit/s</translation>
    </message>
    <message>
        <source>Гбит/с</source>
        <translation>Gbit/s</translation>
    </message>
    <message>
        <source>Тбит/с</source>
        <translation>Tbit/s</translation>
    </message>
    <message>
        <source>%1 бит/с</source>
        <translation>%1 bit/s</translation>
    </message>
    <message>
        <source>КБайт</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>МБайт</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>ГБайт</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>ТБайт</source>
        <translation>TiB</translation>
    </message>
    <message>
        <source>%1 байт</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>%1 сек.</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 м. %2 сек.</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 ч. %2 м.</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Не удалось открыть файл для записи. %1.</source>
        <translation>Could not open the file for writing. %1.</translation>
    </message>
    <message>
        <source>Не удалось записать все данные в файл за отведенное время. %1</source>
        <translation>Could not write all the data to the file in the allotted time. %1</translation>
    </message>
    <message>
        <source>Не удалось удалить файл %1</source>
        <translation>Could not remove the file %1</translation>
    </message>
    <message>
        <source>Не удалось переименовать файл %1</source>
        <translation>Could not rename the file %1</translation>
    </message>
</context>
<context>
    <name>HostAbonents</name>
    <message>
        <source>Версия списка абонентов %1 не совпадает с текущей %2</source>
        <translation>Abonent list version %1 does not match the current %2</translation>
    </message>
    <message>
        <source>Список абонентов поврежден</source>
        <translation>The abonent list is damaged</translation>
    </message>
    <message>
        <source>Не удалось открыть для чтения файл %1: %2</source>
        <translation>Could not open the file %1 for reading: %2</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Ок</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить все</source>
        <translation>Save all</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Да для всех</source>
        <translation>Yes to all</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Нет для всех</source>
        <translation>No to all</translation>
    </message>
    <message>
        <source>Прервать</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Игнорировать</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Отказаться</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Восстановить умолчания</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Запрос подтверждения</source>
        <translation>Confirmation</translation>
    </message>
</context>
<context>
    <name>PortLocks</name>
    <message>
        <source>, программа %1</source>
        <translation>, program %1</translation>
    </message>
    <message>
        <source>порт занят: его держит процесс %1%2 (файл блокировки %3)</source>
        <translation>the port is busy: it is held by process %1%2 (lock file %3)</translation>
    </message>
    <message>
        <source>порт занят: в файле блокировки %1 нет номера процесса (если порт никто не использует, удалите этот файл)</source>
        <translation>the port is busy: the lock file %1 holds no process number (if nobody uses the port, remove this file)</translation>
    </message>
    <message>
        <source>не удалось удалить устаревший файл блокировки %1</source>
        <translation>could not remove the stale lock file %1</translation>
    </message>
    <message>
        <source>удален устаревший файл блокировки %1 процесса %2, которого уже нет</source>
        <translation>removed the stale lock file %1 of process %2, which no longer exists</translation>
    </message>
    <message>
        <source>нет каталога файлов блокировки (%1)</source>
        <translation>no lock file directory (%1)</translation>
    </message>
    <message>
        <source>не удалось создать файл блокировки %1: %2</source>
        <translation>could not create the lock file %1: %2</translation>
    </message>
</context>
<context>
    <name>comconf</name>
    <message>
        <source>абонент %1: %2</source>
        <translation>abonent %1: %2</translation>
    </message>
    <message>
        <source>абонент без номера телефона (%1): его нельзя вызвать</source>
        <translation>abonent without a phone number (%1): it cannot be called</translation>
    </message>
    <message>
        <source>абонент %1 (%2)</source>
        <translation>abonent %1 (%2)</translation>
    </message>
    <message>
        <source>%1: разрешен любой порт, но в канале нет активных портов</source>
        <translation>%1: any port is allowed, but the channel has no active ports</translation>
    </message>
    <message>
        <source>%1: разрешен любой порт</source>
        <translation>%1: any port is allowed</translation>
    </message>
    <message>
        <source>%1: ни один из его портов (%2) не является активным портом канала</source>
        <translation>%1: none of its ports (%2) is an active port of the channel</translation>
    </message>
    <message>
        <source>%1: порты %2 не активны в канале</source>
        <translation>%1: the ports %2 are not active in the channel</translation>
    </message>
    <message>
        <source>%1: порты %2 активны в канале</source>
        <translation>%1: the ports %2 are active in the channel</translation>
    </message>
    <message>
        <source>ОШИБКА: %1</source>
        <translation>ERROR: %1</translation>
    </message>
    <message>
        <source>OK: запись сохранена в %1</source>
        <translation>OK: record saved to %1</translation>
    </message>
    <message>
        <source>файл настроек канала отсутствует, COM порты не настроены: %1</source>
        <translation>the channel settings file is missing, no COM ports are configured: %1</translation>
    </message>
    <message>
        <source>файл настроек канала: %1: размер блока %2, портов %3, из них активных %4</source>
        <translation>channel settings file: %1: block size %2, %3 ports, %4 of them active</translation>
    </message>
    <message>
        <source>в канале нет активных портов</source>
        <translation>the channel has no active ports</translation>
    </message>
    <message>
        <source>Неизвестный параметр: %1</source>
        <translation>Unknown argument: %1</translation>
    </message>
    <message>
        <source>Не указан файл записи</source>
        <translation>No record file given</translation>
    </message>
    <message>
        <source>Не указано значение параметра %1</source>
        <translation>No value given for %1</translation>
    </message>
    <message>
        <source>Не указан файл JSON (--from-json)</source>
        <translation>No JSON file given (--from-json)</translation>
    </message>
    <message>
        <source>Не указан файл для записи (-o)</source>
        <translation>No output file given (-o)</translation>
    </message>
    <message>
        <source>Неверное значение --timeout: %1 (нужно число миллисекунд больше 0)</source>
        <translation>Invalid value of --timeout: %1 (a number of milliseconds above 0 is needed)</translation>
    </message>
    <message>
        <source>После --abonents не указан ни один файл</source>
        <translation>No file given after --abonents</translation>
    </message>
    <message>
        <source>comconf show [--json] ФАЙЛ</source>
        <translation>comconf show [--json] FILE</translation>
    </message>
    <message>
        <source>показать запись канала (channelCom.conf) или абонента</source>
        <translation>show a channel record (channelCom.conf) or an abonent record</translation>
    </message>
    <message>
        <source>comconf build --from-json ФАЙЛ.json -o ФАЙЛ</source>
        <translation>comconf build --from-json FILE.json -o FILE</translation>
    </message>
    <message>
        <source>собрать запись канала или абонента из описания JSON</source>
        <translation>build a channel or abonent record from a JSON description</translation>
    </message>
    <message>
        <source>comconf check [КАТАЛОГ_УСТАНОВКИ] [--abonents ФАЙЛ...]</source>
        <translation>comconf check [INSTALL_DIR] [--abonents FILE...]</translation>
    </message>
    <message>
        <source>проверить установку (по умолчанию ту, которой принадлежит comconf)</source>
        <translation>check an installation (by default the one comconf belongs to)</translation>
    </message>
    <message>
        <source>comconf probe [КАТАЛОГ_УСТАНОВКИ] [--port ИМЯ]... [--timeout МС] [--json] [--dial НОМЕР]</source>
        <translation>comconf probe [INSTALL_DIR] [--port NAME]... [--timeout MS] [--json] [--dial NUMBER]</translation>
    </message>
    <message>
        <source>открыть активные (или названные) порты, послать модему AT и строку инициализации и показать ответ;
      --timeout: сколько ждать каждого ответа (по умолчанию 2000 мс); --dial: позвонить (настоящий
      вызов) и положить трубку; код выхода 0, когда все модемы ответили OK, 1 иначе</source>
        <translation>open the active (or named) ports, send AT and the initialisation string to the modem and show the answer;
      --timeout: how long to wait for each answer (2000 ms by default); --dial: dial (a real
      call) and hang up; exit status 0 when every modem answered OK, 1 otherwise</translation>
    </message>
    <message>
        <source>Не указана команда</source>
        <translation>No command given</translation>
    </message>
    <message>
        <source>Неизвестная команда: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>Использование: %1
      %2</source>
        <translation>Usage: %1
      %2</translation>
    </message>
    <message>
        <source>Использование:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>  comconf --version
      версия</source>
        <translation>  comconf --version
      version</translation>
    </message>
    <message>
        <source>  comconf --lang ЯЗЫК КОМАНДА ...
      язык текстов: en — английский (по умолчанию русский)</source>
        <translation>  comconf --lang LANGUAGE COMMAND ...
      language of the texts: en for English (Russian by default)</translation>
    </message>
    <message>
        <source>Переменные окружения: COMCONF_LOCK_DIRS (каталоги файлов блокировки через двоеточие),
COMCONF_BYID_DIR (каталог постоянных имен портов).</source>
        <translation>Environment: COMCONF_LOCK_DIRS (lock file directories, separated by colons),
COMCONF_BYID_DIR (directory of persistent port names).</translation>
    </message>
    <message>
        <source>запись разрешена</source>
        <translation>writable</translation>
    </message>
    <message>
        <source>запись запрещена</source>
        <translation>not writable</translation>
    </message>
    <message>
        <source>отсутствует, может быть создан</source>
        <translation>missing, can be created</translation>
    </message>
    <message>
        <source>отсутствует, создать нельзя</source>
        <translation>missing, cannot be created</translation>
    </message>
    <message>
        <source>каталог установки не найден: %1</source>
        <translation>installation directory not found: %1</translation>
    </message>
    <message>
        <source>каталог установки: %1</source>
        <translation>installation directory: %1</translation>
    </message>
    <message>
        <source>порт %1 указан в файле настроек канала более одного раза; проверен один раз</source>
        <translation>port %1 is listed more than once in the channel settings file; checked once</translation>
    </message>
    <message>
        <source>ПРЕДУПРЕЖДЕНИЕ: %1</source>
        <translation>WARNING: %1</translation>
    </message>
    <message>
        <source>каталог настроек: %1</source>
        <translation>settings directory: %1</translation>
    </message>
    <message>
        <source>каталог настроек отсутствует: %1</source>
        <translation>settings directory is missing: %1</translation>
    </message>
    <message>
        <source>каталог данных уровня %1: %2</source>
        <translation>data directory of level %1: %2</translation>
    </message>
    <message>
        <source>каталог данных уровня %1 еще не создан: %2 (его создаст первый пользователь этого уровня)</source>
        <translation>data directory of level %1 not created yet: %2 (the first user of this level will create it)</translation>
    </message>
    <message>
        <source>каталог данных уровня %1 отсутствует: %2 (его создаст первый обратившийся пользователь, со своими правами)</source>
        <translation>data directory of level %1 is missing: %2 (the first user to access it will create it, with that user&apos;s permissions)</translation>
    </message>
    <message>
        <source>уровень %1: %2</source>
        <translation>level %1: %2</translation>
    </message>
    <message>
        <source>пользователь %1 не может писать ни в один каталог данных (%2); библиотека будет работать на уровне 0</source>
        <translation>user %1 cannot write to any data directory (%2); the library will work at level 0</translation>
    </message>
    <message>
        <source>уровень секретности пользователя %1: %2 (%3)</source>
        <translation>secrecy level of user %1: %2 (%3)</translation>
    </message>
    <message>
        <source>каталог журналов уровня %1: %2: %3</source>
        <translation>log directory of level %1: %2: %3</translation>
    </message>
    <message>
        <source>Нет перевода на язык %1</source>
        <translation>No translation into the language %1</translation>
    </message>
    <message>
        <source>порт %1</source>
        <translation>port %1</translation>
    </message>
    <message>
        <source>%1: система сообщает о нем: описание «%2», производитель «%3»</source>
        <translation>%1: the system reports it: description “%2”, manufacturer “%3”</translation>
    </message>
    <message>
        <source>%1 активен, но система его сейчас не видит</source>
        <translation>%1 is active, but the system does not see it now</translation>
    </message>
    <message>
        <source>%1 (неактивен): система его сейчас не видит</source>
        <translation>%1 (inactive): the system does not see it now</translation>
    </message>
    <message>
        <source>%1 задан постоянным именем</source>
        <translation>%1 is given by a persistent name</translation>
    </message>
    <message>
        <source>%1: номер устройства может смениться при переподключении; постоянное имя: %2</source>
        <translation>%1: the device number may change when it is reconnected; persistent name: %2</translation>
    </message>
    <message>
        <source>%1 не заблокирован</source>
        <translation>%1 is not locked</translation>
    </message>
    <message>
        <source>%1: в файле блокировки %2 нет номера процесса</source>
        <translation>%1: the lock file %2 holds no process number</translation>
    </message>
    <message>
        <source>%1 занят процессом %2 (%3), файл блокировки %4</source>
        <translation>%1 is busy with process %2 (%3), lock file %4</translation>
    </message>
    <message>
        <source>%1: устаревший файл блокировки %2: процесса %3 нет; порт не откроется, пока файл не удален</source>
        <translation>%1: stale lock file %2: process %3 does not exist; the port will not open until the file is removed</translation>
    </message>
    <message>
        <source>%1: строка инициализации не задана</source>
        <translation>%1: no initialisation string is set</translation>
    </message>
    <message>
        <source>%1: строка инициализации %2 не начинается с AT</source>
        <translation>%1: the initialisation string %2 does not begin with AT</translation>
    </message>
    <message>
        <source>%1: строка инициализации %2 длиной %3 символов; модем принимает около %4</source>
        <translation>%1: the initialisation string %2 is %3 characters long; a modem takes about %4</translation>
    </message>
    <message>
        <source>%1: строка инициализации %2 в порядке</source>
        <translation>%1: the initialisation string %2 is fine</translation>
    </message>
    <message>
        <source>%1: имя порта не задано</source>
        <translation>%1: no port name is set</translation>
    </message>
    <message>
        <source>поле %1: недопустимое значение %2 (допустимо: %3)</source>
        <translation>field %1: invalid value %2 (allowed: %3)</translation>
    </message>
    <message>
        <source>скорость, бит/с</source>
        <translation>speed, bit/s</translation>
    </message>
    <message>
        <source>управление потоком</source>
        <translation>flow control</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Аппаратное</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Программное</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>биты данных</source>
        <translation>data bits</translation>
    </message>
    <message>
        <source>четность</source>
        <translation>parity</translation>
    </message>
    <message>
        <source>Чет</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Нечет</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Пробел</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Маркер</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>стоповые биты</source>
        <translation>stop bits</translation>
    </message>
    <message>
        <source>не задано</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>недопустимый код %1</source>
        <translation>invalid code %1</translation>
    </message>
    <message>
        <source>в канале нет активных портов: %1</source>
        <translation>the channel has no active ports: %1</translation>
    </message>
    <message>
        <source>  %1 → %2 (%3 мс)</source>
        <translation>  %1 → %2 (%3 ms)</translation>
    </message>
    <message>
        <source>  %1 → нет ответа</source>
        <translation>  %1 → no answer</translation>
    </message>
    <message>
        <source>  %1 → %2 (ответ не закончен)</source>
        <translation>  %1 → %2 (answer not finished)</translation>
    </message>
    <message>
        <source>Порт %1: %2</source>
        <translation>Port %1: %2</translation>
    </message>
    <message>
        <source>  ПРИМЕЧАНИЕ: %1</source>
        <translation>  NOTE: %1</translation>
    </message>
    <message>
        <source>ОШИБКА</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>Итог: проверено портов: %1, модем ответил OK: %2, с ошибками: %3</source>
        <translation>Summary: ports checked: %1, modem answered OK: %2, with errors: %3</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1: %2</source>
        <translation>Could not read the file %1: %2</translation>
    </message>
    <message>
        <source>неизвестное поле</source>
        <translation>unknown field</translation>
    </message>
    <message>
        <source>%1, поле %2: %3</source>
        <translation>%1, field %2: %3</translation>
    </message>
    <message>
        <source>должно быть логическим значением (true или false)</source>
        <translation>must be a boolean (true or false)</translation>
    </message>
    <message>
        <source>должно быть целым числом</source>
        <translation>must be an integer</translation>
    </message>
    <message>
        <source>должно быть строкой или null</source>
        <translation>must be a string or null</translation>
    </message>
    <message>
        <source>должно быть массивом</source>
        <translation>must be an array</translation>
    </message>
    <message>
        <source>отсутствует</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>Порт %1 (ports[%2])</source>
        <translation>Port %1 (ports[%2])</translation>
    </message>
    <message>
        <source>%1: должен быть объектом</source>
        <translation>%1: must be an object</translation>
    </message>
    <message>
        <source>Запись канала</source>
        <translation>Channel record</translation>
    </message>
    <message>
        <source>порт %1 указан более одного раза</source>
        <translation>port %1 is listed more than once</translation>
    </message>
    <message>
        <source>Запись абонента</source>
        <translation>Abonent record</translation>
    </message>
    <message>
        <source>Файл JSON не разобран: %1 (позиция %2)</source>
        <translation>The JSON file could not be parsed: %1 (position %2)</translation>
    </message>
    <message>
        <source>Документ JSON должен быть объектом</source>
        <translation>The JSON document must be an object</translation>
    </message>
    <message>
        <source>Поле kind: должно быть &quot;channel&quot; или &quot;abonent&quot;</source>
        <translation>Field kind: must be &quot;channel&quot; or &quot;abonent&quot;</translation>
    </message>
    <message>
        <source>активен</source>
        <translation>active</translation>
    </message>
    <message>
        <source>неактивен</source>
        <translation>inactive</translation>
    </message>
    <message>
        <source>строка инициализации: %1</source>
        <translation>initialisation string: %1</translation>
    </message>
    <message>
        <source>Размер блока: %1 %2</source>
        <translation>Block size: %1 %2</translation>
    </message>
    <message>
        <source>байт</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>байта</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>Портов прочитано целиком: %1</source>
        <translation>Ports read completely: %1</translation>
    </message>
    <message>
        <source>Портов: %1</source>
        <translation>Ports: %1</translation>
    </message>
    <message>
        <source>Порт %1: прочитан не полностью</source>
        <translation>Port %1: not read completely</translation>
    </message>
    <message>
        <source>Номер: %1</source>
        <translation>Number: %1</translation>
    </message>
    <message>
        <source>Порты: %1</source>
        <translation>Ports: %1</translation>
    </message>
    <message>
        <source>Любой</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>«%1»: не логическое значение (ожидается true или false); библиотека прочтет его как %2</source>
        <translation>“%1”: not a boolean (true or false expected); the library will read it as %2</translation>
    </message>
    <message>
        <source>библиотека заменит его значением по умолчанию %1</source>
        <translation>the library will replace it with the default %1</translation>
    </message>
    <message>
        <source>«%1»: не целое число; %2</source>
        <translation>“%1”: not an integer; %2</translation>
    </message>
    <message>
        <source>%1: вне допустимого диапазона %2 – %3; %4</source>
        <translation>%1: outside the allowed range %2 – %3; %4</translation>
    </message>
    <message>
        <source>файл настроек отсутствует, действуют значения по умолчанию: %1</source>
        <translation>the settings file is missing, the defaults apply: %1</translation>
    </message>
    <message>
        <source>файл настроек не читается, действуют значения по умолчанию: %1</source>
        <translation>the settings file cannot be read, the defaults apply: %1</translation>
    </message>
    <message>
        <source>значения файла настроек в допустимых пределах: %1</source>
        <translation>the settings file&apos;s values are within the allowed limits: %1</translation>
    </message>
    <message>
        <source>как запись канала: %1</source>
        <translation>as a channel record: %1</translation>
    </message>
    <message>
        <source>как запись абонента: %1</source>
        <translation>as an abonent record: %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Настройки коммутируемого канала</source>
        <translation>Switched channel settings</translation>
    </message>
    <message>
        <source>Пройти типичное изменение без пользователя</source>
        <translation>Play the typical change without a user</translation>
    </message>
    <message>
        <source>Не удалось подготовить временную установку %1</source>
        <translation>Could not prepare the temporary installation %1</translation>
    </message>
    <message>
        <source>Сценарий прерван: %1</source>
        <translation>Tour interrupted: %1</translation>
    </message>
    <message>
        <source>Нет перевода на язык %1</source>
        <translation>No translation into the language %1</translation>
    </message>
    <message>
        <source>Язык текстов: en — английский (по умолчанию русский)</source>
        <translation>Language of the texts: en for English (Russian by default)</translation>
    </message>
    <message>
        <source>язык</source>
        <translation>language</translation>
    </message>
</context>
</TS>
